// The popup window: geometry, the save area, restore and forget.
#include "screen/popup.h"

#include "platform/termrt.h"
#include "support/terminal_test.h"

namespace {

class PopupTest : public TerminalTest {
 protected:
  PopupArea area = {-1, -1, 99, 99};
  int &lines = area.lines, &width = area.width;
  unsigned char &r = area.row, &c = area.col;
  unsigned char open(int n, int attr = 0) { return popup_window('C', attr, n, &area); }
  unsigned char restore() { return popup_window('R', 0, 0, &area); }

  void fill_screen() {
    for (int row = 0; row < termrt::kRows; ++row) {
      std::string text;
      for (int col = 0; col < termrt::kCols; ++col) text += static_cast<char>('A' + (row + col) % 26);
      t.put_text(row, 0, text);
    }
  }
};

TEST_F(PopupTest, OpenWithThreeLinesFramesRowsOneToFiveAndReportsItsTextArea) {
  fill_screen();
  std::string before = screen();
  EXPECT_EQ(open(3, 1), 2);
  EXPECT_EQ(lines, 3);
  EXPECT_EQ(width, 22);
  EXPECT_EQ(r, 2);
  EXPECT_EQ(c, 3);
  EXPECT_EQ(popup_lines, 3);
  EXPECT_EQ(cells(1, 2, 24), "+----------------------+");
  for (int row = 2; row <= 4; ++row) EXPECT_EQ(cells(row, 2, 24), "|                      |");
  EXPECT_EQ(cells(5, 2, 24), "+----------------------+");
  EXPECT_EQ(row(6), before.substr(6 * 41, 40));
  EXPECT_EQ(cells(1, 0, 2), before.substr(41, 2));
  EXPECT_EQ(t.row_attributes(3).substr(2, 24), std::string(24, '1'));
  EXPECT_EQ(t.row_attributes(3).substr(0, 2), "00");
}

TEST_F(PopupTest, ZeroLinesDrawsOnlyTheTwoBorders) {
  open(0);
  EXPECT_EQ(cells(1, 2, 24), "+----------------------+");
  EXPECT_EQ(cells(2, 2, 24), "+----------------------+");
  EXPECT_EQ(lines, 0);
}

TEST_F(PopupTest, MoreThanSixteenLinesIsSixteen) {
  open(20);
  EXPECT_EQ(lines, 16);
  EXPECT_EQ(cells(18, 2, 24), "+----------------------+");
  EXPECT_EQ(cells(19, 2, 24), std::string(24, ' '));
}

TEST_F(PopupTest, RestoreBringsBackEveryCellAndAttribute) {
  fill_screen();
  unsigned short status;
  _VioWrtCharStrAtt("ATTR", 4, 3, 5, 1, &status, 0);
  std::string before = screen();
  std::string attrs = t.row_attributes(3);
  open(4, 1);
  _VioWrtCharStrAtt("text in the window", 18, 2, 3, 1, &status, 0);
  EXPECT_EQ(restore(), 0);
  EXPECT_EQ(screen(), before);
  EXPECT_EQ(t.row_attributes(3), attrs);
  EXPECT_EQ(popup_lines, 0);
  EXPECT_EQ(lines, 0);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(c, 0);
}

TEST_F(PopupTest, RestoreAtLoadWritesZeroCellsOnRowsOneAndTwo) {
  fill_screen();
  restore();
  for (int col = 2; col < 26; ++col) {
    EXPECT_EQ(t.cell(1, col).ch, 0);
    EXPECT_EQ(t.cell(2, col).ch, 0);
  }
  EXPECT_EQ(t.cell(3, 2).ch, 'F');
  EXPECT_EQ(t.cell(1, 26).ch, 'B');
}

TEST_F(PopupTest, RestoreAfterForgetWritesBackWhatTheLastOpenSaved) {
  fill_screen();
  open(2);
  popup_window('X', 0, 0, &area);
  EXPECT_EQ(popup_lines, 0);
  EXPECT_EQ(cells(1, 2, 24), "+----------------------+") << "forget leaves the screen";
  t.put_text(1, 0, std::string(40, '.'));
  t.put_text(3, 0, std::string(40, '.'));
  restore();
  EXPECT_EQ(cells(1, 2, 3), "DEF");
  EXPECT_EQ(cells(2, 2, 3), "EFG");
  EXPECT_EQ(cells(3, 2, 3), "...") << "only rows 1 and 2 come back";
}

TEST_F(PopupTest, ASecondOpenSavesTheFirstFrameAndRestoreBringsItBack) {
  fill_screen();
  open(1);
  std::string with_first = screen();
  open(3);
  restore();
  EXPECT_EQ(screen(), with_first);
}

TEST_F(PopupTest, AnUnknownOperationChangesNothing) {
  fill_screen();
  std::string before = screen();
  EXPECT_EQ(popup_window('Q', 1, 5, &area), 0);
  EXPECT_EQ(screen(), before);
  EXPECT_EQ(lines, -1);
  EXPECT_EQ(width, -1);
  EXPECT_EQ(r, 99);
  EXPECT_EQ(c, 99);
}

TEST_F(PopupTest, LowerCaseOperationsWork) {
  fill_screen();
  std::string before = screen();
  EXPECT_EQ(popup_window('c', 0, 2, &area), 2);
  popup_window('r', 0, 0, &area);
  EXPECT_EQ(screen(), before);
}

}  // namespace
