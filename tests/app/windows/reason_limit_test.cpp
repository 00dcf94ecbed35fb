// A reason typed or pasted past its limit keeps its first characters, and the caret stays where the user types.
#include "app/dialogs.h"
#include "app/logic/dialog_rules.h"
#include "main_window_fixture.h"

namespace {

struct ReasonDialog {
  const char* Name;
  void (*Open)();
  void (*Handle)(int gadget);
  void (*Close)();
  int Combo;
  std::size_t Limit;
};

const ReasonDialog kReasonDialogs[] = {
    {"Kick", OpenKickDialog, HandleKickDialogGadget, CloseKickDialog, kKickReasonCombo, 32},
    {"Ban", OpenBanDialog, HandleBanDialogGadget, CloseBanDialog, kBanReasonCombo, 32},
    {"Add Ban", OpenAddBanDialog, HandleAddBanDialogGadget, CloseAddBanDialog, kAddBanReasonCombo, 22}};

class ReasonLimit : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    AddGadgetItem(kPlayersList, -1, u"Alice\n?\n?\n?\n50\n192.0.2.1\n0123456789abcdef0123456789abcdef");
    SetGadgetState(kPlayersList, 0);
  }
  static HWND EditOf(int combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(GadgetHandle(combo), &info);
    return info.hwndItem;
  }
  // Each key reaches the combo's edit field as from the keyboard; the loop's rule follows the change it raises.
  static void Keys(const ReasonDialog& dialog, std::u16string_view keys) {
    for (const char16_t key : keys) {
      SendMessageW(EditOf(dialog.Combo), WM_CHAR, key, 1);
      dialog.Handle(dialog.Combo);
    }
  }
  static void Paste(const ReasonDialog& dialog, TextView text) {
    ASSERT_TRUE(PutClipboardText(text));
    SendMessageW(EditOf(dialog.Combo), WM_PASTE, 0, 0);
    dialog.Handle(dialog.Combo);
  }
};

constexpr char16_t kForty[] = u"wallhack with aimbot seen twice in a row";

TEST_F(ReasonLimit, TypingPastTheLimitKeepsTheFirstCharactersAndTheCaretAtTheEnd) {
  for (const ReasonDialog& dialog : kReasonDialogs) {
    SCOPED_TRACE(dialog.Name);
    dialog.Open();
    // Up to the limit nothing is cut; each key past it is dropped.
    Keys(dialog, TextView(kForty).substr(0, dialog.Limit));
    EXPECT_EQ(GadgetText(dialog.Combo), TextView(kForty).substr(0, dialog.Limit));
    Keys(dialog, TextView(kForty).substr(dialog.Limit));
    EXPECT_EQ(GadgetText(dialog.Combo), TextView(kForty).substr(0, dialog.Limit));
    EXPECT_EQ(GadgetCaret(dialog.Combo), static_cast<int>(dialog.Limit));
    dialog.Close();
  }
}

TEST_F(ReasonLimit, APasteOrAKeyInTheMiddleIsCutAtTheEndAndTheCaretStaysBehindWhatCameIn) {
  for (const ReasonDialog& dialog : kReasonDialogs) {
    SCOPED_TRACE(dialog.Name);
    dialog.Open();
    Keys(dialog, u"abc");
    const Text digits = u"0123456789012345678901234567890123456789";
    Paste(dialog, digits);
    const Text whole = u"abc" + digits;
    EXPECT_EQ(GadgetText(dialog.Combo), whole.substr(0, dialog.Limit));
    EXPECT_EQ(GadgetCaret(dialog.Combo), static_cast<int>(dialog.Limit));
    // Behind "abc": what is typed there goes in there, and the end gives way.
    SendMessageW(EditOf(dialog.Combo), EM_SETSEL, 3, 3);
    Keys(dialog, u"XY");
    EXPECT_EQ(GadgetText(dialog.Combo), (u"abcXY" + digits).substr(0, dialog.Limit));
    EXPECT_EQ(GadgetCaret(dialog.Combo), 5);
    dialog.Close();
  }
}

}  // namespace
