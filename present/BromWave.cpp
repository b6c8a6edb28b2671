#include "present/BromWave.h"

namespace {

class TSilentPlayer : public TWavePlayer {
 public:
  void Play(std::string_view, bool) override {}
  void Stop() override {}
};

TSilentPlayer silentPlayer;
TWavePlayer* player = &silentPlayer;

}  // namespace

void TBromWave::Play(std::string_view programPath, bool loop) { player->Play(programPath, loop); }
void TBromWave::Stop() { player->Stop(); }
void TBromWave::SetPlayer(TWavePlayer* newPlayer) {
  player = newPlayer != nullptr ? newPlayer : &silentPlayer;
}
TWavePlayer& TBromWave::Player() { return *player; }
