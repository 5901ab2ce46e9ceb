// The grid keeps 1-based cells, headings in row and column 0, number cells,
// locked cells and SUM cells as the windows rely on.
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QStyle>

#include <vector>

#include "platform/text/NumberText.h"
#include "platform/ui/SpreadGrid.h"
#include "support/UiTest.h"

namespace {

class SpreadGridTest : public UiTest {};

TEST_F(SpreadGridTest, CellsHeadingsAndValues) {
  ui::SpreadGrid g("vaSpread1");
  g.SetMaxCols(3);
  g.SetMaxRows(4);
  g.SetText(1, 0, "成分名");
  g.SetText(0, 2, "Water");
  g.SetText(2, 3, "12.5kPa");
  EXPECT_EQ(g.Text(1, 0), "成分名");
  EXPECT_EQ(g.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "成分名");
  EXPECT_EQ(g.model()->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), "Water");
  EXPECT_EQ(g.Value(2, 3), 12.5);
  EXPECT_EQ(g.Value(1, 1), 0.0);  // empty cell
  EXPECT_EQ(g.model()->data(g.model()->index(2, 1), Qt::DisplayRole).toString(), "12.5kPa");
  g.SetText(4, 1, "outside");  // beyond the columns: ignored
  EXPECT_EQ(g.Text(4, 1), "");
  g.SetValue(3, 4, 1.0 / 3.0);
  EXPECT_EQ(g.Text(3, 4), "0.333333333333333");
}

TEST_F(SpreadGridTest, NumberCellsLockedCellsAndSums) {
  ui::SpreadGrid g("vaSpread1");
  g.SetMaxCols(2);
  g.SetMaxRows(5);
  g.SetNumberFormat(1, 1, 1, 5, 4);
  g.SetSumFormula(1, 5, 1, 1, 1, 4);
  int changes = 0;
  g.onChange = [&](int c, int r) {
    ++changes;
    EXPECT_EQ(c, 1);
    EXPECT_GE(r, 1);
  };
  g.TypeText(1, 1, "0.3");
  g.TypeText(1, 2, "0.25");
  g.SetValue(1, 3, 0.45);
  EXPECT_EQ(g.Text(1, 1), "0.3000");
  EXPECT_EQ(g.Text(1, 5), "1.0000");
  EXPECT_EQ(changes, 2);  // only what the user typed raises change events
  g.TypeText(1, 5, "9");  // the SUM cell is locked
  EXPECT_EQ(g.Text(1, 5), "1.0000");
  g.SetLocked(2, 1, 2, 5);
  g.TypeText(2, 1, "x");
  EXPECT_EQ(g.Text(2, 1), "");
  EXPECT_FALSE(g.model()->flags(g.model()->index(0, 1)) & Qt::ItemIsEditable);
  EXPECT_TRUE(g.model()->flags(g.model()->index(0, 0)) & Qt::ItemIsEditable);
  g.ClearRange(1, 1, 1, 2);
  EXPECT_EQ(g.Text(1, 1), "");
  EXPECT_EQ(g.Text(1, 5), "0.4500");  // the sum follows the cleared block
}

TEST_F(SpreadGridTest, CallerGridDoesNotOutliveItsGrid) {
  {
    ui::SpreadGrid g("vaSpreadAntoine");
    ui::Caller_Grid = &g;
  }
  EXPECT_EQ(ui::Caller_Grid, nullptr);
}

TEST_F(SpreadGridTest, ClicksSetTheActiveCell) {
  ui::SpreadGrid g("vaSpread1");
  g.SetMaxCols(5);
  g.SetMaxRows(5);
  int col = 0, row = 0;
  g.onClick = [&](int c, int r) { col = c; row = r; };
  g.ClickCell(3, 2);
  EXPECT_EQ(col, 3);
  EXPECT_EQ(row, 2);
  EXPECT_EQ(g.ActiveCol(), 3);
  EXPECT_EQ(g.ActiveRow(), 2);
  g.SetMaxRows(20000);  // result tables of many rows
  g.SetNumberFormat(2, 1, 3, 20000, 3);
  g.SetLocked(3, 1, 3, 20000);
  g.SetText(5, 20000, "last");
  EXPECT_EQ(g.Text(5, 20000), "last");
  EXPECT_EQ(g.model()->rowCount(), 20000);
  g.SetValue(2, 19999, 1.23456);
  EXPECT_EQ(g.Text(2, 19999), "1.235");
  g.TypeText(3, 17, "1");  // the whole column is locked
  EXPECT_EQ(g.Text(3, 17), "");
  g.SetNumberFormat(2, 5, 2, 5, 1);  // a cell's own format wins over its column's
  g.SetValue(2, 5, 1.25);
  EXPECT_EQ(g.Text(2, 5), "1.3");
}

}  // namespace

namespace {

class SpreadGridNumberTest : public UiTest {};

// A narrow number column shows a shorter number instead of "0....", the edit
// keeps the full text; a typed number past the range is refused.
TEST_F(SpreadGridNumberTest, NarrowColumnsAndOverflowingInput) {
  ui::SpreadGrid g("vaSpread1");
  g.SetMaxCols(2);
  g.SetMaxRows(2);
  g.SetColWidth(1, 6);
  g.SetText(1, 1, "3.1656E-06");
  g.SetText(1, 2, "0.123456789012");
  auto shown = [&](int row) { return g.model()->data(g.model()->index(row - 1, 0), Qt::DisplayRole).toString(); };
  const QFontMetrics fm(g.font());
  for (int row : {1, 2}) {
    EXPECT_FALSE(shown(row).contains(QStringLiteral("..")));
    // Within the cell less its grid line and the item's margins, where the view
    // would elide it.
    const int margin = g.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &g) + 1;
    EXPECT_LE(fm.horizontalAdvance(shown(row)), g.columnWidth(0) - 1 - 2 * margin) << shown(row).toStdString();
  }
  EXPECT_TRUE(shown(1).endsWith(QStringLiteral("E-06"))) << shown(1).toStdString();
  EXPECT_NEAR(txt::Val(shown(2).toStdString()), 0.1235, 0.0006);
  EXPECT_EQ(g.model()->data(g.model()->index(0, 0), Qt::EditRole).toString(), "3.1656E-06");
  EXPECT_EQ(g.Text(1, 1), "3.1656E-06");

  g.SetNumberFormat(2, 1, 2, 2, 3);
  g.TypeText(2, 1, "2.5");
  script.Answer(ui::vbOK, "「B1」の「1e999」は数値の範囲を超えています");
  g.TypeText(2, 1, "1e999");
  EXPECT_EQ(g.Text(2, 1), "2.500");
  script.Answer(ui::vbOK, "範囲");
  g.TypeText(2, 2, "-1E400");
  EXPECT_EQ(g.Text(2, 2), "");
  EXPECT_EQ(g.Value(2, 2), 0.0);
  txt::SetMessageLanguage([] { return true; });
  script.Answer(ui::vbOK, "B1: \"1e999\" is beyond the range of a number.");
  g.TypeText(2, 1, "1e999");
  EXPECT_EQ(script.Pending(), 0u);
  txt::SetMessageLanguage(nullptr);
}

// A number cell takes a number or nothing; other text is refused naming the
// cell and the cell keeps what it held (it was stored as 0 before).
TEST_F(SpreadGridNumberTest, NumberCellsRefuseTextThatIsNotWhollyANumber) {
  ui::SpreadGrid g("vaSpread1");
  g.SetMaxCols(2);
  g.SetMaxRows(3);
  g.SetText(2, 0, "Flow");
  g.SetNumberFormat(2, 1, 2, 3, 2);
  int changes = 0;
  g.onChange = [&](int, int) { ++changes; };
  g.TypeText(2, 1, " 1.5 ");
  EXPECT_EQ(g.Text(2, 1), "1.50");
  for (const char* bad : {"abc", "12abc", "1.2.3"}) {
    script.Answer(ui::vbOK, std::string("「Flow（1行目）」の「") + bad + "」は数値ではありません");
    g.TypeText(2, 1, bad);
    EXPECT_EQ(g.Text(2, 1), "1.50") << bad;
  }
  EXPECT_EQ(script.Pending(), 0u);
  EXPECT_EQ(changes, 1);
  g.TypeText(2, 1, "");
  EXPECT_EQ(g.Text(2, 1), "") << "an emptied number cell is allowed";
  g.TypeText(1, 1, "12abc");
  EXPECT_EQ(g.Text(1, 1), "12abc") << "a text cell takes any text";
}

// A refusal names the row as well as the column, in the messages' language:
// by its number, and by its heading too where that is a name (a component).
TEST_F(SpreadGridNumberTest, RefusalsNameTheRowAndTheColumn) {
  ui::SpreadGrid g("vaSpread1");
  g.SetMaxCols(3);
  g.SetMaxRows(5);
  g.SetText(2, 0, "x1");
  g.SetText(0, 2, "Benzene");
  g.SetText(0, 3, "7");  // a numbered heading: the number it shows
  g.SetText(0, 4, " ");  // a padding heading names nothing
  g.SetNumberFormat(3, 1, 3, 5, 2);
  struct Case {
    int col, row;
    const char* text;
    const char* ja;
    const char* en;
  };
  const Case cases[] = {
      {2, 3, "1e999", "「x1（7行目）」の「1e999」は数値の範囲を超えています。",
       "x1 (row 7): \"1e999\" is beyond the range of a number."},
      {2, 5, "1e999", "「x1（5行目）」の「1e999」", "x1 (row 5): \"1e999\""},
      {2, 4, "-1e400", "「x1（4行目）」の「-1e400」", "x1 (row 4): \"-1e400\""},
      {2, 2, "1e999", "「x1（2行目、Benzene）」の「1e999」", "x1 (row 2, Benzene): \"1e999\""},
      // No column heading: the column's letter.
      {3, 2, "abc", "「C（2行目、Benzene）」の「abc」は数値ではありません。",
       "C (row 2, Benzene): \"abc\" is not a number."},
      {3, 1, "abc", "「C1」の「abc」", "C1: \"abc\""},
  };
  for (bool english : {false, true}) {
    if (english) txt::SetMessageLanguage([] { return true; });
    for (const Case& c : cases) {
      const std::string before = g.Text(c.col, c.row);
      script.Answer(ui::vbOK, english ? c.en : c.ja);
      g.TypeText(c.col, c.row, c.text);
      EXPECT_EQ(g.Text(c.col, c.row), before) << c.text;
    }
  }
  txt::SetMessageLanguage(nullptr);
  EXPECT_EQ(script.Pending(), 0u);

  // A one-column sheet whose rows are the fields names the cell by its row.
  ui::SpreadGrid sheet("vaSpread2");
  sheet.SetMaxCols(1);
  sheet.SetMaxRows(2);
  sheet.SetText(0, 2, "Pc(atm)");
  sheet.SetNumberFormat(1, 1, 1, 2, 3);
  script.Answer(ui::vbOK, "「Pc(atm)」の「1e999」");
  sheet.TypeText(1, 2, "1e999");
  EXPECT_EQ(script.Pending(), 0u);
}

// The Delete key empties the current unlocked cell as an edit does, change
// event included; a locked cell and an open editor keep their text.
TEST_F(SpreadGridNumberTest, DeleteKeyClearsAnUnlockedCell) {
  ui::SpreadGrid g("vaSpread1");
  g.SetMaxCols(2);
  g.SetMaxRows(2);
  g.SetLocked(1, 1, 1, 2);
  g.SetText(1, 1, "locked");
  g.SetText(2, 2, "0.25");
  std::vector<std::pair<int, int>> changed;
  g.onChange = [&](int c, int r) { changed.emplace_back(c, r); };
  g.SetActiveCell(2, 2);
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(&g, &del);
  EXPECT_EQ(g.Text(2, 2), "");
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], std::make_pair(2, 2));
  g.SetActiveCell(1, 1);
  QKeyEvent del2(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(&g, &del2);
  EXPECT_EQ(g.Text(1, 1), "locked");
  EXPECT_EQ(changed.size(), 1u);
}

}  // namespace
