#include "tests/RosterTestSupport.h"

#include <gtest/gtest.h>

#include "data/Roster.h"
#include "present/PictureCheck.h"
#include "tests/TestSupport.h"

namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string BitmapBytes(int width, int height) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
  std::string out = "BM";
  PutLe(out, 54 + pixelBytes, 4);  // file size
  PutLe(out, 0, 4);                // reserved
  PutLe(out, 54, 4);               // pixel offset
  PutLe(out, 40, 4);               // info header size
  PutLe(out, static_cast<std::uint32_t>(width), 4);
  PutLe(out, static_cast<std::uint32_t>(height), 4);
  PutLe(out, 1, 2);   // planes
  PutLe(out, 24, 2);  // bits per pixel
  PutLe(out, 0, 4);   // no compression
  PutLe(out, pixelBytes, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  out.append(pixelBytes, '\x80');
  return out;
}

std::vector<std::string> EntryLines(const std::string& name) {
  return {"#Name " + name, "#Spec 20/3/2/1/", "#Image",
          "#FlavorBegin",  "剣の道を行く。",  "#FlavorEnd"};
}

std::vector<std::string> RosterLines(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) {
    for (const std::string& line : EntryLines("剣士" + std::to_string(i))) lines.push_back(line);
  }
  return lines;
}

TRosterFolder::TRosterFolder() : Folder(MakeTempFolder() + "/") {
  WriteWholeFile(Folder + "noimage.bmp", BitmapBytes(10, 10));
}

std::string TRosterFolder::Write(const std::vector<std::string>& utf8Lines) {
  std::string bytes;
  for (const std::string& line : utf8Lines) bytes += Sj(line) + "\r\n";
  return WriteBytes(bytes);
}

std::string TRosterFolder::WriteBytes(const std::string& bytes) {
  WriteWholeFile(Folder + "swordia.txt", bytes);
  return Folder + "swordia.txt";
}

std::string TRosterFolder::Fault(const std::vector<std::string>& utf8Lines) {
  std::string bytes;
  for (const std::string& line : utf8Lines) bytes += Sj(line) + "\r\n";
  return FaultOfBytes(bytes);
}

std::string TRosterFolder::FaultOfBytes(const std::string& bytes) {
  std::vector<TSwordia> entries;
  std::string fault;
  if (ReadRoster(WriteBytes(bytes), Folder, PictureCheck(), entries, fault)) return "";
  EXPECT_FALSE(fault.empty());
  return U8(fault);
}

std::vector<TSwordia> TRosterFolder::Entries(const std::vector<std::string>& utf8Lines) {
  std::vector<TSwordia> entries;
  std::string fault;
  EXPECT_TRUE(ReadRoster(Write(utf8Lines), Folder, PictureCheck(), entries, fault)) << U8(fault);
  return entries;
}
