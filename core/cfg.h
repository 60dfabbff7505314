// The configuration record: 750 characters of preferences and run-time
// items, addressed by fixed position (1-based) and length.
#pragma once

#include <string>

namespace tw {

class CfgRecordData {
 public:
  CfgRecordData();
  // Leading blanks removed, cut or blank-padded to len, spliced in.
  // Positions of 750 and above (and below 1) are ignored.
  void Set(int pos, int len, const std::string& value);
  // The len characters at pos, trailing blanks removed.
  std::string Get(int pos, int len) const;
  void Blank();

 private:
  std::string text_[3];  // CfgText1..3, 250 characters each
};

// Field positions and lengths: cfg::Game is {62, 4}.
struct CfgField {
  int pos;
  int len;
};

namespace cfg {
constexpr CfgField IniFileName{1, 20};
constexpr CfgField Back_Card{21, 3};
constexpr CfgField Card{24, 3};
constexpr CfgField Background_def{27, 1};
constexpr CfgField Background_Col{28, 15};
constexpr CfgField Background_bmp{43, 4};
constexpr CfgField Background_Fixed_Col{47, 15};
constexpr CfgField Game{62, 4};
constexpr CfgField Show_Time{66, 1};
constexpr CfgField Cards_Animate{67, 1};
constexpr CfgField Language{68, 6};
constexpr CfgField Speed_Move_Card{74, 2};
constexpr CfgField StatusBar{76, 1};
constexpr CfgField UserDefault{77, 30};
constexpr CfgField SessionWon{112, 4};
constexpr CfgField SessionLost{116, 4};
constexpr CfgField ScoreKind{120, 2};
constexpr CfgField Score{122, 6};
constexpr CfgField Card_Size{128, 1};
constexpr CfgField SavedCard{129, 3};
constexpr CfgField SavedBack_Card{132, 3};
constexpr CfgField Fade_Background{135, 1};
constexpr CfgField Show_Score{136, 1};
constexpr CfgField Undo_Enabled{137, 1};
constexpr CfgField UndoUsed{138, 1};
constexpr CfgField RedoUsed{139, 1};
constexpr CfgField Winning_Animation{140, 1};
constexpr CfgField Sounds_Enabled{141, 1};
constexpr CfgField Sounds_About{142, 1};
constexpr CfgField Sounds_Autoplay{143, 1};
constexpr CfgField Sounds_GameWon{144, 1};
constexpr CfgField Sounds_NewGame{145, 1};
constexpr CfgField Sounds_Redo{146, 1};
constexpr CfgField Sounds_Restart{147, 1};
constexpr CfgField Sounds_Splash{148, 1};
constexpr CfgField Sounds_Shuffle{149, 1};
constexpr CfgField Sounds_Undo{151, 1};
constexpr CfgField Random_Background{152, 1};
constexpr CfgField DealNumber{153, 15};
constexpr CfgField Sounds_HiScores{171, 1};
constexpr CfgField Cursor{172, 2};
constexpr CfgField Sounds_NewHiScores{174, 1};
constexpr CfgField Sounds_Pairing{175, 1};
constexpr CfgField Sounds_Stock{176, 1};
constexpr CfgField Sounds_Tableau{177, 1};
constexpr CfgField Cards_Shadowed{178, 1};
constexpr CfgField Piles_TT{179, 1};
constexpr CfgField Sounds_FaceUp{180, 1};
constexpr CfgField Sounds_CardDown{181, 1};
constexpr CfgField Sounds_CardUp{182, 1};
constexpr CfgField Sounds_Redeal{183, 1};
constexpr CfgField Sounds_Foundation{184, 1};
constexpr CfgField ConfirmQuitGame{185, 1};
constexpr CfgField ConfirmEnterHiScores{186, 1};
constexpr CfgField Random_Card{187, 1};
constexpr CfgField Random_Deck{188, 1};
constexpr CfgField Game_name{189, 50};
constexpr CfgField Automatic_FaceUp{239, 1};
constexpr CfgField SavedCard_Size{240, 1};
constexpr CfgField Deal_Animation{241, 1};
constexpr CfgField Redeal_Animation{242, 1};
constexpr CfgField VertScrollBar{243, 1};
constexpr CfgField Show_ToolTips{244, 1};
constexpr CfgField ProgramDir{501, 200};
}  // namespace cfg

}  // namespace tw
