// Every file a run writes, pinned byte for byte on varied cases: the example,
// steps the plates need split, thin plates, both withdrawal modes, hold-ups in
// kg, a continued run, three components into three tanks, retries, and the
// ends by time, by an empty still, by abort, by Cancel and by an infeasible
// duty. The numbers of a run are those of its equations only: code moved or
// restructured must leave every byte where it was.
//
// A deliberate change of the numbers (a new thermo routine, say) moves these
// pins: check the new files against an independent calculation first, then
// take the lines the failing cases print. VZ_BATCH_PIN_DUMP=<folder> keeps
// each case's files there for a comparison with the files of another build.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>

#include "batch/BatchColumnCases.h"
#include "batch/BatchTestSupport.h"
#include "batch/model/BatchCaseFile.h"

using namespace batchtest;

namespace {

// FNV-1a, 64 bits: the same on every platform and build.
std::uint64_t Fnv(const std::string& bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
  return h;
}

std::string Hex(std::uint64_t h) {
  char text[20];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

std::string Exact(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

const char* EndName(BatchEnd end) {
  switch (end) {
    case BatchEnd::None: return "None";
    case BatchEnd::Refused: return "Refused";
    case BatchEnd::Converged: return "Converged";
    case BatchEnd::LastTank: return "LastTank";
    case BatchEnd::Abort: return "Abort";
    case BatchEnd::StillEmpty: return "StillEmpty";
    case BatchEnd::TimeOver: return "TimeOver";
    case BatchEnd::NegativeComposition: return "NegativeComposition";
    case BatchEnd::NotFinite: return "NotFinite";
    case BatchEnd::Infeasible: return "Infeasible";
    case BatchEnd::WriteFailed: return "WriteFailed";
  }
  return "?";
}

struct Pin {
  const char* name;
  const char* expected;
};

void PrintTo(const Pin& p, std::ostream* os) { *os << p.name; }

class BatchRunPinTest : public BatchFixture, public ::testing::WithParamInterface<Pin> {
 protected:
  // The example as the main window hands it to the run.
  void Example(int language) {
    LoadExample();
    Case.Language = language;
    Batch.QReb = Batch.QReb_TR;
  }

  // Sets the case up, runs it (twice for the continued run) and returns what
  // the run did and wrote.
  std::string RunCase(const std::string& name) {
    RecordingHost host;
    int withdrawalSteps = 0;
    if (name == "example") {
      LoadExample();  // as the benchmark runs it
    } else if (name == "example_split") {
      Example(1);
      Batch.Diff_Time = 0.05;
      Batch.Save_Interval = 0.05;
    } else if (name == "example_mode1") {
      Example(0);
      Batch.Ope_Mode = 1;
      Batch.Diff_Time = 0.0005;
    } else if (name == "example_continued") {
      Example(1);
      Batch.Ope_Mode = 1;
      Batch.Diff_Time = 0.0005;
      RecordingHost first;
      if (Batch_Calc(first) != BatchEnd::Converged) return "the first run did not converge";
      Batch.Batch_File = File(2);
      if (!Read_Batch_Continue(1).ok()) return "no continuation";
      Batch.Continue_Flag = 1;
      Batch.Restart_Time = Batch.Oper_Time;
      Batch.Ope_Mode = 2;
      Batch.QReb = Batch.QReb_TR;
    } else if (name == "example_mode3_abort") {
      Example(1);
      Batch.Ope_Mode = 3;
      Batch.Prod_Spec[3][1] = Batch.Prod_Spec[3][2] = Batch.QReb_TR;
      Batch.Diff_Time = 0.0005;
      host.onYield = [&withdrawalSteps] {
        if (Batch.Prod_Phase == 1 && ++withdrawalSteps == 40) Case.Stop_Flag = 1;
      };
    } else if (name == "example_kg") {
      Example(0);
      Batch.Holdup_Unit = 2;
      Batch.Tray_Holdup[2][1] = 100;
      for (int p = 2; p <= 9; ++p) Batch.Tray_Holdup[2][p] = 20;
      Batch.Conv_Limit = 0.01;
      Batch.Diff_Time = 0.0005;
      Batch.Max_Ope_Time = 1;
    } else if (name == "example_nrtl") {
      Example(1);
      Case.K_Method = 3;
      Case.NRTL_Alpha = 0.3;
      const double tau[3][3] = {{0, 0.1, -0.2}, {0.05, 0, 0.3}, {0.6, 0.4, 0}};
      for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) Case.NRTL_Tau[i][j] = tau[i - 1][j - 1];
      for (int p = 2; p <= 9; ++p) Case.Tray_Press[p] = 0;  // linear from 760 to 770 mmHg
      Batch.Diff_Time = 0.005;
      Batch.Save_Interval = 0.01;
    } else if (name == "example_retry") {
      Example(0);
      Batch.Diff_Time = 100;  // far too long: asked about and halved
      host.answerRetry = true;
      host.onYield = [&host] {
        Batch.Run_Diff_Time = 0.0002;
        if (host.steps == 20) Case.Stop_Flag = 1;
      };
    } else if (name == "example_cancel") {
      Example(1);
      Batch.Diff_Time = 100;
    } else if (name == "thin_plates") {
      ColumnCase c;
      c.maxTime = 1;
      Load(c);
      Case.Language = 1;
      Batch.Save_Interval = 0.01;
    } else if (name == "three_tanks") {
      ColumnCase c;
      c.comps = {kBenzene, kToluene, kPXylene};
      c.z = {0.3, 0.3, 0.4};
      c.plate = 0.1;
      c.step = 0.005;
      c.tanks = {{1, -0.9, 5, 5, 0}, {-1, 15, 6, 5, 0}, {-2, 2000, 8, 4, 0}};
      Load(c);
      Case.Language = 1;
      Batch.Save_Interval = 0.05;
    } else if (name == "column_mode3") {
      ColumnCase c;
      c.plate = 0.1;
      c.mode = 3;
      c.step = 0.005;
      c.tanks = {{1, -0.95, 5, 0, 250000}, {-1, 30, 8, 0, 200000}};
      Load(c);
      Batch.Save_Interval = 0.05;
    } else if (name == "infeasible_first_step" || name == "latent_heat_zero" || name == "heating_in_withdrawal") {
      ColumnCase c;
      c.maxTime = 10;
      c.step = 0.005;
      Load(c);
      Case.Language = name == "latent_heat_zero" ? 1 : 0;
      Batch.Save_Interval = 0.001;
      if (name == "infeasible_first_step") Batch.Tray_Heat[6] = Unit_Heat_In(-400000);
      if (name == "latent_heat_zero")
        Case.HV_A[1] = Case.HL_A[1], Case.HV_B[1] = Case.HL_B[1], Case.HV_C[1] = Case.HL_C[1];
      if (name == "heating_in_withdrawal") Batch.Tray_Heat[4] = Unit_Heat_In(200000);
    } else if (name == "mode3_duty_too_small") {
      Example(1);
      Batch.Diff_Time = 0.005;
      Batch.Ope_Mode = 3, Batch.Prod_Spec[3][1] = Batch.Prod_Spec[3][2] = Unit_Heat_In(100);
    } else if (name == "flows_no_number") {
      Example(1);
      for (int i = 1; i <= 3; ++i) Case.HV_A[i] = Case.HV_B[i] = Case.HL_A[i] = Case.HL_B[i] = 0;
    } else if (name == "still_empty") {
      BinaryStill(2);
      Case.Language = 1;
      Batch.Tray_Holdup[1][1] = 1;
      Batch.Diff_Time = 0.005;
      Batch.Conv_Limit = 1e-4;
      Batch.Tank_Value[1] = 1000;  // the tank never fills
      Batch.Max_Ope_Time = 20;
      Batch.Save_Interval = 0.05;
    } else if (name == "time_over") {
      Example(1);
      Batch.Tank_Value[1] = 50;
      Batch.Max_Ope_Time = 1;
      Batch.Diff_Time = 0.0005;
    } else {
      return "no such case";
    }

    BatchRun run(host);
    const BatchEnd end = run.Run();
    std::string out = std::string(EndName(end)) + " steps=" + std::to_string(run.Steps()) +
                      " cal=" + Exact(run.CalTime()) + " D=" + Exact(run.TotalDistillate());
    std::string shown;
    for (const std::string& m : host.messages) shown += m + "\n";
    shown += "|";
    for (const std::string& m : host.notices) shown += m + "\n";
    shown += "|";
    for (int m : host.marks) shown += std::to_string(m) + ",";
    shown += "|";
    for (BatchEnd e : host.ends) shown += std::string(EndName(e)) + ",";
    out += " host=" + Hex(Fnv(shown));
    const char* dump = std::getenv("VZ_BATCH_PIN_DUMP");
    const std::filesystem::path keep = dump ? std::filesystem::path(dump) / name : std::filesystem::path();
    if (dump) std::filesystem::create_directories(keep);
    for (int n = 1; n <= 6; ++n) {
      const std::string path = n <= 5 ? File(n) : Batch_Log_Path();
      out += n <= 5 ? " " + std::to_string(n) + ":" : " log:";
      if (!std::filesystem::exists(path)) {
        out += "-";
        continue;
      }
      const std::string bytes = Slurp(path);
      out += std::to_string(bytes.size()) + ":" + Hex(Fnv(bytes));
      if (dump)
        std::filesystem::copy_file(path, keep / std::filesystem::path(path).filename(),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    return out;
  }
};

TEST_P(BatchRunPinTest, RunFilesAsPinned) {
  const Pin& pin = GetParam();
  const std::string actual = RunCase(pin.name);
  EXPECT_EQ(actual, pin.expected);
  if (actual != pin.expected) std::cout << "      {\"" << pin.name << "\",\n       \"" << actual << "\"},\n";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatchRunPinTest,
    ::testing::Values(
        Pin{"example",
            "LastTank steps=12862 cal=1.6449999999998515 D=9.2260000000004361 host=e3129bdca13af58c"
            " 1:1093630:74bed0624a7e223d 2:3321:c9ab9ba886238baf 3:2370:c2b5cc43d2629dd4"
            " 4:1965607:0639c1c9efa9b37a 5:256:0b76c3b40aeb0cda log:201:56cd5c4a5acf6676"},
        Pin{"example_split",
            "LastTank steps=51 cal=1.6500000000000008 D=9.2500000000001386 host=068e8d65cbfb38c5"
            " 1:44042:938cac8364ccef41 2:3263:0abf7af2622a7a1f 3:2300:ed8f21fc16c357cd"
            " 4:77341:b3a26fd2657cb8d6 5:231:b0465b19f9ffa98d log:197:e95eaedad230f818"},
        Pin{"example_mode1",
            "Converged steps=1855 cal=0.92749999999995325 D=0 host=97509bffcd27b443"
            " 1:1091330:88a558b78b15fdc2 2:3318:30abfc690fda1eb0 3:2359:99c004da94d7386b"
            " 4:- 5:- log:89:aa8e15e349d70f6b"},
        Pin{"example_continued",
            "LastTank steps=3289 cal=1.6444999999998744 D=9.2250000000003176 host=068e8d65cbfb38c5"
            " 1:1093626:0a686e5a540bcbf4 2:3207:2296f063ff88d059 3:2371:46c88e2db97a951b"
            " 4:1928990:9b399026b442b67e 5:245:90419750e76d60ab log:197:a4a66267ddea7809"},
        Pin{"example_mode3_abort",
            "Abort steps=1895 cal=0.020000000000000014 D=0.35091408653996509 host=3e4ca31c48197a72"
            " 1:1091330:88a558b78b15fdc2 2:3336:66dc9610fc8ca79a 3:2361:5259fa8e60533402"
            " 4:24283:c381eb9fc11d315f 5:111:968c3c59f97371ba log:260:f07b810856057e78"},
        Pin{"example_kg",
            "TimeOver steps=2782 cal=1.0004999999999453 D=6.0000000000002496 host=977e2686f81aa60c"
            " 1:505213:04d67da2c7b06368 2:3530:de0ed745485723b9 3:2397:3c47f3b67209d638"
            " 4:1303744:05f939b3a2c94c92 5:243:00553ee25c89e409 log:249:73624a907e3c88df"},
        Pin{"example_nrtl",
            "LastTank steps=515 cal=1.2099999999999962 D=7.075000000000049 host=068e8d65cbfb38c5"
            " 1:316612:12f740f96a72f159 2:3247:c9102edc44c15c44 3:2265:7462f3da8505b04f"
            " 4:280263:f240987d9fcd82da 5:231:676e985a18c88a58 log:197:f8f275a9eb48bf71"},
        Pin{"example_retry",
            "Abort steps=20 cal=3.1287999999999996 D=0.03800000000000002 host=deb1462743d00eda"
            " 1:2405:ba742fa769c82190 2:3313:2ef548561ec10c03 3:2312:672521de2375d85a"
            " 4:45116:4ecdb16e5bb125c3 5:124:dadb9c98c3c33246 log:796:1eb0e29823282b5c"},
        Pin{"example_cancel",
            "NegativeComposition steps=0 cal=0 D=0 host=e620530dffc78c06"
            " 1:- 2:- 3:1105:151ea2cfaf95cd00"
            " 4:- 5:- log:117:f6376744867a5ac9"},
        Pin{"thin_plates",
            "TimeOver steps=2056 cal=1.0004999999999453 D=5.0000000000002514 host=2b5683376d129edf"
            " 1:7007:c65455179d1804bd 2:3179:75bfe54f1ed9bf2c 3:2340:f5993877511441ae"
            " 4:241134:ac347dc2d0de7bd5 5:114:4a2d88092ce47f3c log:178:f367897adc418a7a"},
        Pin{"three_tanks",
            "LastTank steps=2919 cal=14.405000000000852 D=66.859999999984211 host=8a1ed086f189f333"
            " 1:11168:f5f1c7701f688505 2:3789:2b2e6596b2d7d181 3:2872:842aa580cc70e14d"
            " 4:830765:5a5e9f5ede14334f 5:388:fe75575d9f722f72 log:247:d567818c4be65581"},
        Pin{"column_mode3",
            "LastTank steps=3524 cal=17.430000000000817 D=67.591122317735369 host=e3129bdca13af58c"
            " 1:9257:03ab7979190db4ae 2:3125:db46b76ab93f91e5 3:2379:772ec2d1f08c44e7"
            " 4:850921:cf72445e9037763a 5:210:6209e50b30477c0a log:202:8a02de64c451809c"},
        Pin{"infeasible_first_step",
            "Infeasible steps=0 cal=0 D=0 host=4e21d5787917418a"
            " 1:- 2:- 3:1044:a89fb4121b974a6f"
            " 4:- 5:- log:209:f575d15acb8c40a3"},
        Pin{"latent_heat_zero",
            "Infeasible steps=0 cal=0 D=0 host=bc5baeb3c508fc8f"
            " 1:- 2:- 3:1034:d58502b20cdb8346"
            " 4:- 5:- log:217:b4b48bd4b0facca9"},
        Pin{"heating_in_withdrawal",
            "Infeasible steps=5 cal=0.0050000000000000001 D=0 host=bf9e02fd51710369"
            " 1:11986:a43f00acdb3557ea 2:3220:1c89cb979d78667f 3:2335:59fc74ae01e2d27e"
            " 4:- 5:- log:268:a64bf0e3babb9130"},
        Pin{"mode3_duty_too_small",
            "Infeasible steps=186 cal=0.0050000000000000001 D=0 host=cc3a8ee8481745ad"
            " 1:433816:f8ab1ee597b2643e 2:3297:b2d8cdce308572b7 3:2293:22107d6ddf85d198"
            " 4:- 5:- log:231:425d90116e9c0a51"},
        Pin{"flows_no_number",
            "NotFinite steps=0 cal=0 D=0 host=491e6518ddf0a27b"
            " 1:- 2:- 3:1105:151ea2cfaf95cd00"
            " 4:- 5:- log:113:2fdcdbbc4768fe13"},
        Pin{"still_empty",
            "StillEmpty steps=1994 cal=9.9000000000001478 D=98.949999999996535 host=68e672eb15151c6b"
            " 1:517:976732e9fae9ed47 2:642:f57f516de60300db 3:411:569535cafe1ae138"
            " 4:57509:cbdc27280a4defb6 5:73:9f3c18824da2ac82 log:178:16de7dee6ac0b243"},
        Pin{"time_over",
            "TimeOver steps=3856 cal=1.0004999999999453 D=10.000000000000163 host=2b5683376d129edf"
            " 1:1091330:88a558b78b15fdc2 2:3318:729e39ff0a64e5fa 3:2373:ea46ef389a5202ff"
            " 4:1197430:e53a5dde84e63b60 5:126:d8acc1bc64cf5368 log:178:ac61551c5c10cb23"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
