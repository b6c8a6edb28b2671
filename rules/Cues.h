// The game's sound cues: every wave file the game itself plays, named once.
// The battle, the flow and the screens play them by these names; the asset
// generator makes one file for each and the shipped-data test checks that
// each exists, so a mistyped cue cannot go unnoticed.
#pragma once

// Program paths ("dat\\....wav"), cp932.
extern const char* const CueTransition;  // every change of screen made by a click
extern const char* const CuePopon;     // hero making: a point spent, swords swapped; support swords
extern const char* const CueSuka;      // hero making: reset
extern const char* const CueTick;      // battle: turn header, a sword announced, no target
extern const char* const CueWeak;      // battle: asleep
extern const char* const CuePoison;    // battle: poison damage, strong poison grows
extern const char* const CueKnockOut;  // battle: a fighter is knocked out
extern const char* const CueRevival;   // battle: soul or life revival
extern const char* const CueBattleOver;  // battle: the battle is over
extern const char* const CueJudgement;   // battle: judgement; a bonus point gained
extern const char* const CueShimmer;     // battle: builds changed; the swords 回 and 癒
extern const char* const CueReflect;     // battle: a strike is reflected
extern const char* const CueNoDamage;    // battle: a strike deals no damage
extern const char* const CueDamage;      // battle: a strike deals damage
extern const char* const CueOnHit;       // battle: on-hit effects
extern const char* const CueSteal;       // battle: a sword is stolen
extern const char* const CueRaise;       // battle: the swords 熱 護 速 灼 儀 臥
extern const char* const CueNotAttack;   // battle: a control sword's target is no attack sword
extern const char* const CueGrant;       // battle: a control sword's grant is made
extern const char* const CueTurnRaised;  // battle: the environment sword raises the turn

constexpr int CueCount = 20;
// Every cue above, in this order.
extern const char* const AllCues[CueCount];
