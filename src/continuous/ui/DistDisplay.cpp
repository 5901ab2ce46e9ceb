#include "continuous/ui/DistDisplay.h"

#include <QPushButton>

#include <filesystem>

#include "continuous/DistDefaults.h"
#include "core/dialogs/frmEnthalpy.h"
#include "core/dialogs/frmK_Value.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"

namespace dist {

bool Language_Known() { return Case.Language == 0 || In_English(); }

void Apply_Captions(QWidget* form, std::initializer_list<Caption> captions, bool design) {
  if (!form) return;
  if (!design && !Language_Known()) return;
  const bool english = !design && In_English();
  for (const Caption& c : captions) {
    const char* text = english ? c.english : c.japanese;
    if (c.control)
      ui::SetControlText(form, c.control, text);
    else
      form->setWindowTitle(QString::fromUtf8(text));
  }
}

QWidget* Main_Window() { return ui::Forms::FindByName("frmDistMain"); }

void Show_Result_Button(bool written) {
  QWidget* main = Main_Window();
  if (!main) return;
  if (auto* b = main->findChild<QPushButton*>("cmdResult")) b->setVisible(true);
  // The run wrote its results to Result.dat in the data folder.
  ui::SetControlText(main, "lblMainDataFile",
                     written ? File_Name_Text(seqfile::JoinPath(Case.Data_Dir, "\\Result.dat")) : std::string());
}

namespace {

// The Result.dat an unsaved run could not remove, as it stood then.
struct StaleResult {
  bool set = false;
  std::string path;
  std::filesystem::file_time_type time{};
  std::uintmax_t size = 0;
} stale;

}  // namespace

std::string Discard_Unsaved_Result() {
  namespace fs = std::filesystem;
  const std::string path = seqfile::JoinPath(Case.Data_Dir, "\\Result.dat");
  stale = {};
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(path, ec);
  if (ec || !fs::exists(st)) return InLanguage("計算結果を保存できませんでした。", "The results of this run could not be saved.");
  if ((fs::is_regular_file(st) || fs::is_symlink(st)) && fs::remove(path, ec) && !ec)
    return InLanguage(("計算結果を保存できませんでした。前回の計算結果ファイル [ " + path +
                 " ] は今回の計算のものではないため削除しました。").c_str(),
                ("The results of this run could not be saved: the earlier result file [ " + path +
                 " ] does not hold this run and was removed.").c_str());
  stale.set = true;
  stale.path = path;
  stale.time = fs::last_write_time(path, ec);
  stale.size = fs::is_regular_file(path, ec) ? fs::file_size(path, ec) : 0;
  return InLanguage(("計算結果を保存できませんでした。前回の計算結果ファイル [ " + path +
               " ] は削除できませんでした。今回の計算のものではないため「前回データ」では読み込みません。").c_str(),
              ("The results of this run could not be saved, and the earlier result file [ " + path +
               " ] could not be removed: it does not hold this run and will not be read by Continue.").c_str());
}

void Forget_Stale_Result() { stale = {}; }

bool Result_File_Is_Stale(const std::string& path) {
  namespace fs = std::filesystem;
  if (!stale.set || path != stale.path) return false;
  std::error_code ec;
  const fs::file_time_type time = fs::last_write_time(path, ec);
  if (ec) return false;
  const std::uintmax_t size = fs::is_regular_file(path, ec) ? fs::file_size(path, ec) : 0;
  return time == stale.time && size == stale.size;
}

std::string File_Name_Text(const std::string& path) {
  // Paths come with either separator: the file names the user picks and the
  // data folder joined with "\Result.dat".
  const std::size_t cut = path.find_last_of("\\/");
  return " " + (cut == std::string::npos ? path : path.substr(cut + 1));
}

}  // namespace dist

void Set_Dist_Display_Data(bool reportBottoms) {
  CaseData& c = Case;
  Select_Unit_Entries();
  const std::string kValue = Select_K_Value_Entry();
  const std::string enthalpy = Select_Enthalpy_Entry();
  QWidget* m = dist::Main_Window();
  auto put = [m](const char* label, const std::string& text) { ui::SetControlText(m, label, text); };
  put("lblMainUnitPressData", Unit_Press_Text());
  // The unit beside the top and bottom pressures is the case's too.
  put("lblUnitTopPress", Unit_Press_Text());
  put("lblUnitBtmPress", Unit_Press_Text());
  put("lblMainKValue", kValue);
  put("lblMainUnitTempData", Unit_Temp_Text());
  put("lblMainUnitHeatData", Unit_Heat_Text());
  put("lblMainNC", txt::Plain(static_cast<int>(c.NC)));
  put("lblMainNT", txt::Plain(static_cast<int>(c.NT)));
  put("lblMainPTop", txt::Plain(c.P_Top));
  put("lblMainPBottom", txt::Plain(c.P_Bottom));
  put("lblMainRR", txt::Plain(c.Reflux_Ratio));
  put("lblMainNF", txt::Plain(static_cast<int>(c.N_Feed)));
  put("lblMainNSCLiq", txt::Plain(static_cast<int>(c.N_LiqSC)));
  put("lblMainNSCVap", txt::Plain(static_cast<int>(c.N_VapSC)));
  put("lblMainEnthalpy", enthalpy);
  put("lblMainMax1", txt::Plain(static_cast<int>(c.Max_Iter[1])));
  put("lblMainMax2", txt::Plain(static_cast<int>(c.Max_Iter[2])));
  put("lblMainLimit1", txt::Plain(c.Conv_Crit[1]));
  put("lblMainLimit2", txt::Plain(c.Conv_Crit[2]));
  if (reportBottoms) Bottom_Flow_Calc();
  else Dist_Material_Balance();
  put("lblMainTotalFeedData", txt::Plain(c.Feed_Sum));
  put("lblMainTopProdData", txt::Plain(c.Top_Liq_Prod + c.Top_Vap_Prod));
  put("lblMainSideCutProdData", txt::Plain(c.Side_Sum));
  put("lblMainBottomProdData", txt::Plain(c.Bottom_Flow));
}

void Disp_File_Name(int which) {
  ui::SetControlText(dist::Main_Window(), which == 0 ? "lblFileNameData" : "lblMainDataFile",
                     dist::File_Name_Text(Case.Data_File));
}
