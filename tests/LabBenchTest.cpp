// The lab's bench checksum: fixed battles, matches and growth searches give
// the same checksum until the game's behaviour changes. A change meant to
// alter behaviour regenerates tests/golden/lab_bench.txt
// (build/quillmoor-lab bench > tests/golden/lab_bench.txt) and says so.
#include <gtest/gtest.h>

#include "tests/TestSupport.h"

TEST(LabBench, BehaviourIsUnchangedSinceTheLastRecordedChecksum) {
  int status = -1;
  const std::string out = RunLab("bench", status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out, ReadWholeFile(SourcePath("tests/golden/lab_bench.txt")))
      << "the game's behaviour changed; if that is intended, regenerate the golden file";
  // The same run twice gives the same answer: nothing depends on the clock.
  EXPECT_EQ(RunLab("bench", status), out);
}
