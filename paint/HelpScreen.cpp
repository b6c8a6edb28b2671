#include "paint/HelpScreen.h"

#include "paint/ScreenKit.h"

namespace {

// The page's parts: the title strip, the panel of the rules, and the red
// box of the keys where the hero setup shows its help texts.
constexpr TRect HelpTitleRect{0, 0, 600, 30};
constexpr TRect HelpBodyRect{0, 30, 600, 300};
constexpr int HelpTextLeft = 12;
constexpr int HelpLinePitch = 18;

}  // namespace

const TStringDynArray& HelpPageBody() {
  static const TStringDynArray lines = {
      "【剣師】主人公の強さは、四つの数と剣の並びで決まります。",
      "　ＨＰ　　生命力です。０以下になると死にます。",
      "　攻撃力　直接攻撃の威力です。　防御力　直接攻撃への耐性です。",
      "　素早さ　ターン毎のＡＰ（行動回数）。敵より高ければ先攻も取れます。",
      "【途心】能力を上げる点です。１つでＨＰ＋５、攻撃力・防御力・素早さ＋１、",
      "　または剣を１本。はじめは１０あり、使い切るまで「決定」できません。",
      "【剣の並び】剣は並びの順に使われます。枠を押すと次の剣と入れ替わり、",
      "　最後の剣は先頭と入れ替わります。「リセット」で最後に決めた形に戻ります。",
      "【大会】３２人の勝ち抜き戦です。第一回戦から決勝戦まで五つ勝てば優勝。",
      "　戦闘は自動で進みます。押すたびに一行ずつ、ＳＫＩＰで決着まで。",
      "　第一回戦から第四回戦に勝つと途心が１つ増え、「構成変動」で使えます。",
      "【ライバルの成長】回戦の合間に、勝ち残った剣師は次の相手との模擬戦を",
      "　何千回も重ねて構成を選び、途心を使って強くなります。",
  };
  return lines;
}

const TStringDynArray& HelpPageKeys() {
  static const TStringDynArray lines = {
      "【キー】Space・Enter：押す（次へ、START）　Esc：閉じる、SKIP",
      "　←↑↓→・Tab：主人公の設定で選ぶ場所を移す（→はほかの画面でSpace）",
      "　S：この回戦の他の試合を決着まで　H：盤面で主人公　M：音の入／切",
      "　F1：この説明　F2：新しい大会（敗退か優勝の後）　F11：全画面",
      "【ゲームパッド】十字・左スティック：矢印　A・START：Space　B：Esc",
      "　X：S　Y：M　LB：F1　RB：H　BACK：F2",
      "どれかキーを押すか、クリックすると元の画面に戻ります。",
  };
  return lines;
}

void OpenHelpPage(TScreens& s) {
  TBromBitmap& page = s.HelpLayer;
  // 1. The screen the player left, dimmed to a quarter: the page lies over
  // it.
  page.SetSize(ScreenWidth, ScreenHeight);
  s.ScreenLayer.DrawTo(page, 0, 0);
  BlendRect(page, FullRect, ColorBlack);
  BlendRect(page, FullRect, ColorBlack);
  // 2. The title strip, darker still, so no title under it shows through.
  BlendRect(page, HelpTitleRect, ColorBlack);
  BlendRect(page, HelpTitleRect, ColorBlack);
  DrawCentredLines(page, HelpTitleRect, 16, {"遊び方"}, true, ColorWhite);
  // 3. The rules on a panel dimmed once more.
  BlendRect(page, HelpBodyRect, ColorBlack);
  SetScreenFont(page, 14, false, ColorWhite);
  const TStringDynArray& body = HelpPageBody();
  for (int i = 0; i < static_cast<int>(body.size()); ++i) {
    page.DrawText(HelpTextLeft, HelpBodyRect.Top + 10 + HelpLinePitch * i + 1, body[i]);
  }
  // 4. The keys in the red box of the help texts, laid out as the hero
  // setup lays out its help.
  FillRectSolid(page, HelpRect, HelpBoxColor);
  const TStringDynArray& keys = HelpPageKeys();
  for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
    page.DrawText(HelpTextLeft, HelpRect.Top + 12 + HelpLinePitch * i + 1, keys[i]);
  }
  s.HelpOpen = true;
}

void CloseHelpPage(TScreens& s) {
  s.HelpOpen = false;
}

bool HelpPageOpen(const TScreens& s) {
  return s.HelpOpen;
}
