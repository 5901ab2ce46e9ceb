// The case-file head and component block, the file dialog and the read, save
// and overwrite prompts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>

#include "core/dialogs/CaseFilePrompts.h"
#include "core/model/CaseFileBlocks.h"
#include "platform/text/NumberText.h"
#include "support/UiTest.h"

namespace {

// Fills every field of the block with a value unique to its place, so a swapped
// index or field shows.
void FillCase(CaseData& c, int nc) {
  c.NC = nc;
  for (int i = 1; i <= nc; ++i) {
    c.Comp_Name[i] = "成分 " + std::to_string(i) + ", x";
    CompVec* vecs[] = {&c.Mol_Wt, &c.Comp_Omega, &c.HL_A, &c.HV_C, &c.Cp_A, &c.Cp_D};
    for (int k = 0; k < 6; ++k) (*vecs[k])[i] = (k + 1) * 1000.0 + i + 1.0 / 3.0;
    for (int j = 1; j <= nc; ++j) {
      c.Wilson_Lambda[i][j] = i * 100 + j + 0.125;
      c.NRTL_Tau[i][j] = -(i * 100 + j) * 1e-7;
      c.EOS_Kij[i][j] = (i * 100 + j) * 1e18;
    }
  }
  c.NRTL_Alpha = 0.3;
  c.Memo[1] = "line, with a comma";
  c.Memo[2] = "日本語のメモ";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t pos = 0;
  for (std::size_t end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
    out.push_back(text.substr(pos, end - pos));
  return out;
}

// Case files keep 15 significant digits.
void ExpectSame15(double got, double want) { EXPECT_NEAR(got, want, 1e-14 * std::abs(want)); }

class CaseFileTest : public UiTest {};

}  // namespace

TEST_F(CaseFileTest, ComponentBlockRoundTripsWithMatricesWrittenColumnByColumn) {
  for (int nc : {1, 20}) {
    auto from = std::make_unique<CaseData>();
    FillCase(*from, nc);
    seqfile::Writer w;
    Write_Case_Head(w, kDistillationHeader, *from);
    Write_Component_Block(w, false, *from);

    // Head 11, names, constants, enthalpy and Cp coefficients NC each, then the Wilson matrix.
    const auto lines = Lines(w.Content());
    const std::size_t wilson = 11 + 4 * static_cast<std::size_t>(nc);
    ASSERT_EQ(lines.size(), wilson + 3 * static_cast<std::size_t>(nc) + 1);
    // Each matrix (Wilson, NRTL, then kij after the alpha record) is NC records of NC fields.
    const std::size_t n = static_cast<std::size_t>(nc);
    for (std::size_t first : {wilson, wilson + n, wilson + 2 * n + 1})
      for (std::size_t k = first; k < first + n; ++k)
        EXPECT_EQ(std::count(lines[k].begin(), lines[k].end(), ','), nc - 1) << "record " << k;
    EXPECT_EQ(lines[wilson + 2 * n], txt::Plain(from->NRTL_Alpha));
    const std::string& record = lines[wilson + n - 1];  // record i = NC
    // Within record i the first index runs: its first field is element (1, NC).
    EXPECT_EQ(record.substr(0, record.find(',')), txt::Plain(from->Wilson_Lambda[1][nc]));

    auto into = std::make_unique<CaseData>();
    seqfile::Reader r;
    r.OpenText(w.Content());
    ASSERT_TRUE(Read_Case_Head(r, kDistillationHeader, *into));
    into->NC = nc;
    Read_Component_Block(r, *into, false);
    EXPECT_TRUE(r.Eof());
    EXPECT_EQ(into->Memo[1], "line, with a comma");
    EXPECT_EQ(into->Memo[2], "日本語のメモ");
    for (int i = 1; i <= nc; ++i) {
      EXPECT_EQ(into->Comp_Name[i], from->Comp_Name[i]);
      ExpectSame15(into->Comp_Omega[i], from->Comp_Omega[i]);
      ExpectSame15(into->HL_A[i], from->HL_A[i]);  // liquid before vapour
      ExpectSame15(into->HV_C[i], from->HV_C[i]);
      ExpectSame15(into->Cp_D[i], from->Cp_D[i]);
      for (int j = 1; j <= nc; ++j) {
        ExpectSame15(into->Wilson_Lambda[i][j], from->Wilson_Lambda[i][j]);
        ExpectSame15(into->NRTL_Tau[i][j], from->NRTL_Tau[i][j]);
        ExpectSame15(into->EOS_Kij[i][j], from->EOS_Kij[i][j]);
      }
    }
  }
}

TEST_F(CaseFileTest, WrongHeaderIsRejectedAndLeavesTheMemo) {
  auto into = std::make_unique<CaseData>();
  into->Memo[1] = "kept";
  seqfile::Reader r;
  r.OpenText("\"Batch Distillastion Data\"\r\n\"other\"\r\n");
  EXPECT_FALSE(Read_Case_Head(r, kDistillationHeader, *into));
  EXPECT_EQ(into->Memo[1], "kept");
}

TEST_F(CaseFileTest, ReadDialogStartsInTheDataFolderAndPromptsInTheLanguageAskedFor) {
  const std::string path = DataPath("a.dat");
  Case.Language = 1;
  script.ChooseFile("").ChooseFile(path).Answer(ui::vbYes, "Read [ " + path + " ]？");
  EXPECT_EQ(Choose_Case_File_To_Read(), "");
  EXPECT_EQ(Case.Data_File, "");  // a cancelled dialog keeps the last file
  EXPECT_EQ(Choose_Case_File_To_Read(), path);
  EXPECT_EQ(Case.Data_File, path);
  EXPECT_EQ(script.fileDialogs[1].initialDir, DataDir());
  EXPECT_EQ(script.fileDialogs[1].filter, "データ ファイル (*.dat)|*.dat");
  script.Answer(ui::vbCancel, "[ " + path + " ] を読み込みます？");
  EXPECT_FALSE(Confirm_Case_Read(path, PromptLanguage::Japanese));
  EXPECT_EQ(script.messages.back().style, ui::vbYesNoCancel | ui::vbQuestion);
}

TEST_F(CaseFileTest, SavingOverAnExistingFileAsksTwiceAndNoLeavesItUnchanged) {
  const std::string path = DataPath("case.dat");
  { std::ofstream(path) << "old"; }
  script.ChooseFile(path).Answer(ui::vbYes, "を保存しますか？").Answer(ui::vbNo, "が存在します。上書きしますか？");
  EXPECT_EQ(Choose_Case_File_To_Save("dat", PromptLanguage::Current, "逐次段蒸留計算"), "");
  EXPECT_EQ(script.fileDialogs[0].defaultExt, "dat");
  // The column program titles the save question; the overwrite question has the application's title.
  EXPECT_EQ(script.messages[0].title, "逐次段蒸留計算");
  EXPECT_EQ(script.messages[1].title, "");
  std::stringstream kept;
  kept << std::ifstream(path).rdbuf();
  EXPECT_EQ(kept.str(), "old");

  // A new file asks only the save question.
  script.ChooseFile(DataPath("new.dat")).Answer(ui::vbYes);
  EXPECT_EQ(Choose_Case_File_To_Save(), DataPath("new.dat"));
  Case.Language = 1;
  script.Answer(ui::vbYes, "Save [ ").Answer(ui::vbYes, "exist [ " + path + " ] , Over-Write？");
  EXPECT_TRUE(Confirm_Case_Save(path));
}

TEST_F(CaseFileTest, AFailedSaveIsReportedNotPassedOff) {
  seqfile::Writer w;
  w.Record("x");
  script.Answer(ui::vbOK, "を保存できませんでした");
  EXPECT_FALSE(Save_Case_File(w, DataPath("no/such/folder/x.dat")));
  EXPECT_TRUE(Save_Case_File(w, DataPath("x.dat")));
}
