#include "rules/Cues.h"

const char* const CueTransition = "dat\\ガソ.wav";
const char* const CuePopon = "dat\\popon.wav";
const char* const CueSuka = "dat\\suka.wav";
const char* const CueTick = "dat\\タ2.wav";
const char* const CueWeak = "dat\\weak.wav";
const char* const CuePoison = "dat\\dh.wav";
const char* const CueKnockOut = "dat\\break2.wav";
const char* const CueRevival = "dat\\cap_von01-2.wav";
const char* const CueBattleOver = "dat\\cap_tiron03-2.wav";
const char* const CueJudgement = "dat\\cap_von06-2.wav";
const char* const CueShimmer = "dat\\ヒィン.wav";
const char* const CueReflect = "dat\\コン.wav";
const char* const CueNoDamage = "dat\\kin.wav";
const char* const CueDamage = "dat\\dun.wav";
const char* const CueOnHit = "dat\\dh2.wav";
const char* const CueSteal = "dat\\eat.wav";
const char* const CueRaise = "dat\\up.wav";
const char* const CueNotAttack = "dat\\bub.wav";
const char* const CueGrant = "dat\\water.wav";
const char* const CueTurnRaised = "dat\\cap_tu1.wav";

const char* const AllCues[CueCount] = {
    CueTransition, CuePopon,      CueSuka,      CueTick,      CueWeak,    CuePoison,    CueKnockOut,
    CueRevival,    CueBattleOver, CueJudgement, CueShimmer,   CueReflect, CueNoDamage,  CueDamage,
    CueOnHit,      CueSteal,      CueRaise,     CueNotAttack, CueGrant,   CueTurnRaised};
