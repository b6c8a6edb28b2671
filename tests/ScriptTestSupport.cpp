#include "tests/ScriptTestSupport.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <stdexcept>

std::string WriteScriptFile(const std::vector<std::string>& utf8Lines, const std::string& name) {
  std::string bytes;
  for (const std::string& line : utf8Lines) bytes += Sj(line) + "\r\n";
  const std::string path = MakeTempFolder() + "/" + name;
  WriteWholeFile(path, bytes);
  return path;
}

TRecordingScript::TRecordingScript() {
  Script.SetParagraphHandler([this](const TStringDynArray& lines, std::string& result) {
    std::vector<std::string> page;
    for (const std::string& line : lines) page.push_back(U8(line));
    Pages.push_back(page);
    result = Sj("【成功】");
  });
}

void TRecordingScript::Load(const std::vector<std::string>& utf8Lines, int limit) {
  std::string result;
  Script.LoadFromFile(WriteScriptFile(utf8Lines), result);
  ASSERT_EQ(U8(result), "【成功】");
  Script.SetParagraphLimit(limit);
}

std::string TRecordingScript::Step() {
  std::string result;
  Script.Step(result);
  return U8(result);
}

std::vector<std::string> TRecordingScript::NextPage() {
  const std::size_t before = Pages.size();
  EXPECT_EQ(Step(), "【成功】");
  return Pages.size() > before ? Pages.back() : std::vector<std::string>{};
}
