#include "purecomp/estimation/GroupTables.h"

#include <string_view>

#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "purecomp/estimation/PhysData.h"

// Sources of the contributions: Lydersen (1955) and Klincewicz & Reid (1984) as
// tabulated in Reid, Prausnitz & Sherwood (1977) and Reid, Prausnitz & Poling
// (1987); Ambrose (1978/1979) in the API Technical Data Book form; Joback & Reid
// (1987); Fedors (1982); Rihani & Doraiswamy (1965), in cal/(mol K). Rows whose
// published value was not at hand hold nullptr. See README.md of this folder.

namespace physprop {

namespace {

const std::vector<GroupRow> kLydersenRows = {
    {"-CH3,-CH2-", {"0.020", "0.227", "55.0"}},
    {"-CH2-(ring)", {"0.013", "0.184", "44.5"}},
    {">CH-", {"0.012", "0.210", "51.0"}},
    {">CH-(ring)", {"0.012", "0.192", "46.0"}},
    {">C<", {"0.000", "0.210", "41.0"}},
    {">C<(ring)", {"-0.007", "0.154", "31.0"}},
    {"=CH2,=CH", {"0.018", "0.198", "45.0"}},
    {"=CH-(ring)", {"0.011", "0.154", "37.0"}},
    {">C=,=C=", {"0.000", "0.198", "36.0"}},
    {">C=(ring)", {"0.011", "0.154", "36.0"}},
    {"≡CH,≡C-", {"0.005", "0.153", "36.0"}},
    {"-F", {"0.018", "0.224", "18.0"}},
    {"-Cl", {"0.017", "0.320", "49.0"}},
    {"-Br ", {"0.010", "0.50", "70.0"}},
    {"-I", {"0.012", "0.83", "95.0"}},
    {"-O-", {"0.021", "0.16", "20.0"}},
    {"-O-(ring)", {"0.014", "0.12", "8.0"}},
    {"-OH(alchols)", {"0.082", "0.06", "18.0"}},
    {"-OH(phenols)", {"0.031", "-0.02", "3.0"}},
    {">CO", {"0.040", "0.29", "60.0"}},
    {">CO(ring)", {"0.033", "0.2", "50.0"}},
    {"-CHO", {"0.048", "0.33", "73.0"}},
    {"-CO-O-", {"0.047", "0.47", "80.0"}},
    {"-COOH", {"0.085", "0.4", "80.0"}},
    {"=O", {"0.02", "0.12", "11.0"}},
    {"-NH2", {"0.031", "0.095", "28.0"}},
    {">NH-", {"0.031", "0.135", "37.0"}},
    {">NH-(ring)", {"0.024", "0.09", "27.0"}},
    {">N", {"0.014", "0.17", "42.0"}},
    {">N(ring)", {"0.007", "0.13", "32.0"}},
    {">CN", {"0.060", "0.36", "80.0"}},
    {"-SH,-S-", {"0.015", "0.27", "55.0"}},
    {"-S-(ring)", {"0.008", "0.24", "45.0"}},
    {"=S", {"0.003", "0.24", "47.0"}},
    {"-NO2", {"0.055", "0.42", "78.0"}},
    // No published Vc increment of >Si<, nor Pc and Vc of >B-, is at hand.
    {">Si<", {"0.03", "0.54", nullptr}},
    {">B-", {"0.03", nullptr, nullptr}},
};

const std::vector<GroupRow> kAmbroseRows = {
    {"炭素原子数(alkyl)", {"0.138", "0.226", "55.1"}},
    {"   >CH-   (each)", {"-0.043", "-0.006", "-8.0"}},
    {"   >C<    (each)", {"-0.120", "-0.030", "-17.0"}},
    {"  double bonds", {"-0.050", "-0.065", "-20.0"}},
    {"  triple bonds", {"-0.200", "-0.170", "-40.0"}},
    // Ambrose's Vc relation has no Platt-number term: 0 by design.
    {"△Platt数", {"-0.023", "-0.026", "00000"}},
    {"      -O-", {"0.138", "0.160", nullptr}},
    {"      >CO", {"0.220", "0.282", nullptr}},
    {"      -CHO", {"0.220", "0.220", nullptr}},
    {"      -COOH", {"0.578", "0.450", nullptr}},
    {"      -CO-O-OC-", {"1.156", "0.900", "160.0"}},
    {"      -CO-O-", {"0.330", "0.470", nullptr}},
    {"      -NO2", {"0.370", "0.420", nullptr}},
    {"      -NH2", {"0.208", "0.095", nullptr}},
    {"      -NH-", {"0.208", "0.135", nullptr}},
    {"      >N-", {"0.088", "0.170", nullptr}},
    {"      -CN", {"0.423", "0.360", nullptr}},
    {"      -S-", {"0.105", "0.270", nullptr}},
    {"      -SH", {"0.090", "0.270", nullptr}},
    {"      -SiH3", {nullptr, nullptr, nullptr}},
    {"  -O-Si(CH3)2", {nullptr, nullptr, nullptr}},
    {"      -F", {"0.180", "0.223", nullptr}},
    {"      -Cl", {"0.110", "0.318", nullptr}},
    {"      -Br", {"0.110", "0.500", nullptr}},
    {"      -I", {nullptr, nullptr, nullptr}},
    {"ﾊﾛｹﾞﾝ補正F", {nullptr, nullptr, nullptr}},
    {"ﾊﾛｹﾞﾝ補正F(Cl,Br,I除)", {nullptr, nullptr, nullptr}},
    // Tc and Pc of the alcohol -OH depend on the carbon number (Ambrose_Alcohol_Increment).
    {"Aliphatic alcohols", {kCarbonNumberCell, kCarbonNumberCell, "15.0"}},
    {"ﾘﾝｸﾞ  -CH2-", {"0.090", "0.182", "44.5"}},
    {"      >CH fused", {"0.030", "0.182", "44.5"}},
    {"      double bond", {"-0.030", "-0.065", "-15.0"}},
    {"      -O-", {nullptr, nullptr, nullptr}},
    {"      -NH-", {nullptr, nullptr, nullptr}},
    {"      -S-", {nullptr, nullptr, nullptr}},
    {"Aromatic  Benzene", {"0.448", "0.924", nullptr}},
    {"          pyridine", {"0.448", "0.850", nullptr}},
    {"          C4H4", {"0.220", "0.515", nullptr}},
    {"          -F", {"0.080", "0.183", nullptr}},
    {"          -Cl", {"0.080", "0.318", nullptr}},
    {"          -Br", {"0.080", "0.600", nullptr}},
    {"          -I", {nullptr, "0.850", nullptr}},
    {"          -OH", {"0.198", "-0.025", nullptr}},
    // The first ring substituent corrects Tc only: its Pc 0 is by design.
    {"non ﾊﾛｹﾞﾝ   first", {"0.010", "00000", nullptr}},
    {"            each sub.", {"0.030", "0.020", nullptr}},
    {"    ｵﾙｿ        -OH", {nullptr, nullptr, nullptr}},
    {"    ｵﾙｿ     no -OH", {"-0.040", "-0.050", nullptr}},
    {"  -CF3, -CF2-, >CF-", {nullptr, nullptr, nullptr}},
    {"  >CF-(fused ring)", {nullptr, nullptr, nullptr}},
    {"-H(monosubstitution)", {nullptr, nullptr, nullptr}},
    {"double bond(nonring)", {nullptr, nullptr, nullptr}},
    // No published Pc or Vc correction of this row is at hand.
    {"double bond(ring)", {"-0.300", nullptr, nullptr}},
};

const std::vector<GroupRow> kJobackRows = {
    {"Nonring increments", {"", "", ""}},
    {"-CH3", {"0.0141", "-0.0012", "65.0"}},
    {">CH2", {"0.0189", "0.0000", "56.0"}},
    {">CH-", {"0.0164", "0.0020", "41.0"}},
    {">C<", {"0.0067", "0.0043", "27.0"}},
    {"=CH2", {"0.0113", "-0.0028", "56.0"}},
    {"=CH-", {"0.0129", "-0.0006", "46.0"}},
    {"=C<", {"0.0117", "0.0011", "38.0"}},
    {"=C=", {"0.0026", "0.0028", "36.0"}},
    {"≡CH", {"0.0027", "-0.0008", "46.0"}},
    {"≡C-", {"0.0020", "0.0016", "37.0"}},
    {"Ring increments", {"", "", ""}},
    {"-CH2-", {"0.0100", "0.0025", "48.0"}},
    {">CH-", {"0.0122", "0.0004", "38.0"}},
    {">C<", {"0.0042", "0.0061", "27.0"}},
    {"=CH-", {"0.0082", "0.0011", "41.0"}},
    {"=C<", {"0.0143", "0.0008", "32.0"}},
    {"Halogen increments", {"", "", ""}},
    {"-F", {"0.0111", "-0.0057", "27.0"}},
    {"-Cl", {"0.0105", "-0.0049", "58.0"}},
    {"-Br", {"0.0133", "0.0057", "71.0"}},
    {"-I", {"0.0068", "-0.0034", "97.0"}},
    {"Oxygen increments", {"", "", ""}},
    {"-OH   (alcohol)", {"0.0741", "0.0112", "28.0"}},
    {"-OH   (phenol)", {"0.0240", "0.0184", "-25.0"}},
    {"-O-   (nonring)", {"0.0168", "0.0015", "18.0"}},
    {"-O-   (ring)", {"0.0098", "0.0048", "13.0"}},
    {">C=O  (nonring)", {"0.0380", "0.0031", "62.0"}},
    {">C=O  (ring)", {"0.0284", "0.0028", "55.0"}},
    {"O=CH- (aldehyde)", {"0.0379", "0.0030", "82.0"}},
    {"-COOH (acid)", {"0.0791", "0.0077", "89.0"}},
    {"-COO- (ester)", {"0.0481", "0.0005", "82.0"}},
    {"=O    (except as above)", {"0.0143", "0.0101", "36.0"}},
    {"Nitrogen increments", {"", "", ""}},
    {"-NH2", {"0.0243", "0.0109", "38.0"}},
    {">NH   (nonring)", {"0.0295", "0.0077", "35.0"}},
    {">NH   (ring)", {"0.0130", "0.0114", "29.0"}},
    {">N-   (nonring)", {"0.0169", "0.0074", "9.0"}},
    {"-N=   (nonring)", {"0.0255", "-0.0099", nullptr}},
    {"-N=   (ring)", {"0.0085", "0.0076", "34.0"}},
    {"-CN", {"0.0496", "-0.0101", "91.0"}},
    {"-NO2", {"0.0437", "0.0064", "91.0"}},
    {"Sulfer increments", {"", "", ""}},
    {"-SH", {"0.0031", "0.0084", "63.0"}},
    {"-S-   (nonring)", {"0.0119", "0.0049", "54.0"}},
    {"-S-   (ring)", {"0.0019", "0.0051", "38.0"}},
};

const std::vector<GroupRow> kKlincewiczRows = {
    {"-CH3", {"-2.433", "0.026", "16.2"}},
    {"-CH2-", {"0.353", "-0.015", "16.1"}},
    {"-CH2- (ring)", {"4.253", "-0.046", "8.2"}},
    {">CH-", {"6.266", "-0.083", "12.1"}},
    {">CH-  (ring)", {"-0.335", "-0.027", "7.4"}},
    {">C<", {"16.416", "-0.136", "8.95"}},
    {">C<   (ring)", {"12.435", "-0.111", "-6.6"}},
    {"=CH2", {"-0.991", "-0.015", "13.9"}},
    {"=CH-", {"3.786", "-0.050", "9.8"}},
    {"=CH-  (ring)", {"3.373", "-0.066", "5.1"}},
    {">C=,=C=", {"7.169", "-0.067", "2.7"}},
    {">C=   (ring)", {"5.623", "-0.089", "0.2"}},
    {"≡CH", {"-4.561", "-0.056", "7.5"}},
    {"≡C-", {"7.341", "-0.112", "3.0"}},
    {"-OH", {"-28.930", "-0.190", "-24.0"}},
    {"-O-", {"5.389", "-0.143", "-26.1"}},
    {"-O-   (ring)", {"7.127", "-0.116", "-36.6"}},
    {">CO,-CHO", {"4.332", "-0.196", "-6.7"}},
    {"-COOH", {"-25.085", "-0.251", "-37.0"}},
    {"-CO-O-", {"8.890", "-0.277", "-28.2"}},
    {"-NH2", {"-4.153", "-0.127", "-0.1"}},
    {">NH", {"2.005", "-0.180", "53.7"}},
    {">NH   (ring)", {"2.773", "-0.172", "-8.0"}},
    {">N-", {"12.253", "-0.163", "-0.7"}},
    {"=N-   (ring)", {"8.239", "-0.104", "-18.4"}},
    {"-CN", {"-10.381", "-0.064", "12.0"}},
    {"-SH", {"28.529", "-0.303", "-27.7"}},
    {"-S-", {"23.905", "-0.311", "-27.3"}},
    {"-S-   (ring)", {"31.537", "-0.208", "-61.9"}},
    {"-F", {"5.191", "-0.067", "-34.1"}},
    {"-Cl", {"18.353", "-0.244", "-47.4"}},
    {"-Br", {"53.456", "-0.692", "-148.1"}},
    {"-I", {"94.186", "-1.051", "-270.6"}},
    {"-XCX (X=halogen)", {"-1.770", "0.032", "0.8"}},
    {"-NO2", {"11.709", "-0.325", "-39.2"}},
};

const std::vector<GroupRow> kFedorsRows = {
    {"-CH3", {"1.79", "0.0"}},
    {"-CH2-", {nullptr, nullptr}},
    {">CH-", {"0.45", "-1.0"}},
    {">CH- (隣接した>CH-を除く)", {nullptr, nullptr}},
    {">C<", {"-0.22", "-1.5"}},
    {"=CH2", {nullptr, nullptr}},
    {"=CH-", {nullptr, nullptr}},
    {">C=", {nullptr, nullptr}},
    {"≡CH-", {nullptr, nullptr}},
    {"≡C-", {nullptr, nullptr}},
    {"=C=", {nullptr, nullptr}},
    {"-CO-OH", {"10.72", "20.0"}},
    {"-CO-O-OC- (anhydride)", {nullptr, nullptr}},
    {"-CO-O-", {nullptr, nullptr}},
    {"-O-OC-CO-O- (oxalte)", {nullptr, nullptr}},
    {"-CO-", {nullptr, nullptr}},
    {"-O-", {nullptr, nullptr}},
    {"-O-  (aromatic)", {nullptr, nullptr}},
    {"-OH", {nullptr, nullptr}},
    {"-OH  (aromatic)", {"9.65", "19.6"}},
    {"-CHO", {nullptr, nullptr}},
    {"-C≡N", {nullptr, nullptr}},
    {"-C≡N (aromatic)", {nullptr, nullptr}},
    {"-NH2", {nullptr, nullptr}},
    {"-NH2 (aromatic)", {nullptr, nullptr}},
    {"-NH-", {nullptr, nullptr}},
    {"-NH- (aromatic)", {nullptr, nullptr}},
    {">N-", {nullptr, nullptr}},
    {">N-  (aromatic)", {nullptr, nullptr}},
    {"-N=", {nullptr, nullptr}},
    {"-S-S-", {nullptr, nullptr}},
    {"-S-", {nullptr, nullptr}},
    {"-SH", {nullptr, nullptr}},
    {"-F", {nullptr, nullptr}},
    {"-F   (aromatic)", {nullptr, nullptr}},
    {"-F   (perfluoro)", {nullptr, nullptr}},
    {"-Cl", {nullptr, nullptr}},
    {"-Cl  (disubstituted)", {nullptr, nullptr}},
    {"-Cl  (trisubstituted)", {nullptr, nullptr}},
    {"-Br", {nullptr, nullptr}},
    {"-I", {nullptr, nullptr}},
    {"-I   (aromatic)", {"10.77", "23.1"}},
    {"3-membered ring", {nullptr, nullptr}},
    {"5-membered ring", {nullptr, nullptr}},
    {"6-membered ring", {nullptr, nullptr}},
    {"heteroatom ring", {nullptr, nullptr}},
    {"subst. on C in =", {nullptr, nullptr}},
    {"o- subst. in B ring", {nullptr, nullptr}},
    {"conjugate per = bond", {"0.13", "0.3"}},
};

const std::vector<GroupRow> kRihaniRows = {
    {"脂肪族炭化水素原子団", {"", "", "", ""}},
    {"-CH3", {"0.6087", "2.1433", "-0.0852", "0.001135"}},
    {">CH2", {"0.3945", "2.1364", "-0.1197", "0.002596"}},
    {"=CH2", {"0.5266", "1.8357", "-0.0954", "0.001974"}},
    {">-CH", {"-3.5232", "3.4158", "-0.2816", "0.008015"}},
    {">C<", {"-5.8310", "4.4543", "-0.4208", "0.01263"}},
    {"-CH=CH2", {"0.2773", "3.4582", "-0.1918", "0.00428"}},
    {">C=CH2", {"-0.4173", "3.8859", "-0.2783", "0.007364"}},
    {"Cis-CH=CH-", {"-3.1211", "3.8062", "-0.2359", "0.005505"}},
    {"Trans-CH=CH-", {"0.9377", "2.9905", "-0.1749", "0.003919"}},
    {">C=CH-", {"-1.4715", "3.3844", "-0.2371", "0.006196"}},
    {">C=C<", {"-0.4736", "3.5183", "-0.3150", "0.009205"}},
    {"-CH=C=CH2", {"2.2400", "4.2896", "-0.2566", "0.005909"}},
    {">C=C=CH2", {"2.6308", "4.1658", "-0.2845", "0.007278"}},
    {"-CH=C=CH-", {"3.1249", "4.9890", "-0.4304", "0.01301"}},
    {"==CH", {nullptr, nullptr, nullptr, nullptr}},
    {"-C==", {"-4.2315", "7.8689", "-0.2973", "0.00993"}},
    {"芳香族炭化水素原子団", {"", "", "", ""}},
    {"HCA", {"-1.4572", "1.9147", "-0.1233", "0.002985"}},
    {"-CA", {"-1.3883", "1.5159", "-0.1069", "0.002658"}},
    {"ACA", {"0.1219", "1.2170", "-0.0855", "0.002121"}},
    {"環形式", {"", "", "", ""}},
    {"三角環", {"-3.5320", "-0.0300", "0.0747", "-0.005514"}},
    {"四角環", {"-8.6550", "1.0780", "-0.0425", "0.000251"}},
    {"五角環 Pentan", {"-12.2850", "1.8609", "-0.1037", "0.002145"}},
    {"五角環 Penten", {"-6.8813", "0.7818", "-0.0345", "0.00059"}},
    {"六角環 Hexan", {"-13.3929", "2.1392", "-0.0429", "-0.001865"}},
    {"六角環 Hexen", {"-8.0238", "2.2239", "-0.1914", "0.005472"}},
    {"酸素を含む原子団", {"", "", "", ""}},
    {"-OH", {"6.5128", "-0.1347", "0.0414", "-0.001623"}},
    {"-O-", {nullptr, nullptr, nullptr, nullptr}},
    {"-CH=O", {nullptr, nullptr, nullptr, nullptr}},
    {">C=O", {nullptr, nullptr, nullptr, nullptr}},
    {"-COOH", {nullptr, nullptr, nullptr, nullptr}},
    {"-C=O-O-", {nullptr, nullptr, nullptr, nullptr}},
    {"OA", {nullptr, nullptr, nullptr, nullptr}},
    {"窒素を含む原子団", {"", "", "", ""}},
    {"-C==N", {nullptr, nullptr, nullptr, nullptr}},
    {"-N==C", {nullptr, nullptr, nullptr, nullptr}},
    {"-NH2", {nullptr, nullptr, nullptr, nullptr}},
    {">NH", {nullptr, nullptr, nullptr, nullptr}},
    {">N-", {nullptr, nullptr, nullptr, nullptr}},
    {"-NO2", {nullptr, nullptr, nullptr, nullptr}},
    {"硫黄を含む原子団", {"", "", "", ""}},
    {"-SH", {nullptr, nullptr, nullptr, nullptr}},
    {"-S-", {nullptr, nullptr, nullptr, nullptr}},
    {"SA", {nullptr, nullptr, nullptr, nullptr}},
    {"-SO3H", {"6.9218", "2.4735", "0.1776", "-0.022445"}},
    {"ハロゲンを含む原子団", {"", "", "", ""}},
    {"-F", {nullptr, nullptr, nullptr, nullptr}},
    {"-Cl", {nullptr, nullptr, nullptr, nullptr}},
    {"-Br", {nullptr, nullptr, nullptr, nullptr}},
    {"-I", {"3.2651", "0.4901", "-0.0539", "0.001782"}},
};
const GroupTable kTables[] = {
    {GroupMethod::Lydersen,
     "臨界定数（Ｔｃ，Ｐｃ，Ｖｃ）の推算　Ｌｙｄｅｒｓｅｎ法",
     "Critical constants (Tc, Pc, Vc) by Lydersen", "n", 3,
     {"△Ｔ", "△ｐ", "△Ｖ", nullptr}, &kLydersenRows},
    {GroupMethod::Ambrose,
     "臨界定数（Ｔｃ，Ｐｃ，Ｖｃ）の推算　Ａｍｂｒｏｓｅ法",
     "Critical constants (Tc, Pc, Vc) by Ambrose", "ｎ", 3,
     {"△j Tc", "△j Pc", "△j Vc", nullptr}, &kAmbroseRows},
    {GroupMethod::Joback,
     "臨界定数（Ｔｃ，Ｐｃ，Ｖｃ）の推算　Ｊｏｂａｃｋ法",
     "Critical constants (Tc, Pc, Vc) by Joback", "ｎ", 3,
     {"△j Tc", "△j Pc", "△j Vc", nullptr}, &kJobackRows},
    {GroupMethod::Klincewicz,
     "臨界定数（Ｔｃ，Ｐｃ，Ｖｃ）の推算　Ｋｌｉｎｃｅｗｉｃｚ & Ｒｅｉｄ法",
     "Critical constants (Tc, Pc, Vc) by Klincewicz & Reid", "ｎ", 3,
     {"△j Tc", "△j Pc", "△j Vc", nullptr}, &kKlincewiczRows},
    {GroupMethod::Fedors,
     "臨界定数（Ｔｃ）の推算　Ｆｅｄｏｒｓ法",
     "Critical temperature (Tc) by Fedors", "ｎ", 2,
     {"△j1 Tc", "△j2 Tc", nullptr, nullptr}, &kFedorsRows},
    {GroupMethod::RihaniDoraiswamy,
     "理想気体比熱推算(Rihani & Doraiswamy法)",
     "Ideal-gas heat capacity (Rihani & Doraiswamy)", "n", 4,
     {"a", "b*10^2", "c*10^4", "d*10^6"}, &kRihaniRows},
};


// English forms of the names written in Japanese (the others read the same in both).
struct NameEn {
  const char* ja;
  const char* en;
};
const NameEn kNamesEn[] = {
    {"炭素原子数(alkyl)", "C atoms (alkyl)"},
    {"△Platt数", "△Platt number"},
    {"ﾊﾛｹﾞﾝ補正F", "Halogen corr. F"},
    {"ﾊﾛｹﾞﾝ補正F(Cl,Br,I除)", "Halogen corr. F(not Cl,Br,I)"},
    {"ﾘﾝｸﾞ  -CH2-", "Ring  -CH2-"},
    {"non ﾊﾛｹﾞﾝ   first", "non-halogen first"},
    {"    ｵﾙｿ        -OH", "    ortho       -OH"},
    {"    ｵﾙｿ     no -OH", "    ortho    no -OH"},
    {">CH- (隣接した>CH-を除く)", ">CH- (not next to >CH-)"},
    {"脂肪族炭化水素原子団", "Aliphatic hydrocarbon groups"},
    {"芳香族炭化水素原子団", "Aromatic hydrocarbon groups"},
    {"環形式", "Ring corrections"},
    {"三角環", "3-membered ring"},
    {"四角環", "4-membered ring"},
    {"五角環 Pentan", "5-ring Pentane"},
    {"五角環 Penten", "5-ring Pentene"},
    {"六角環 Hexan", "6-ring Hexane"},
    {"六角環 Hexen", "6-ring Hexene"},
    {"酸素を含む原子団", "Oxygen groups"},
    {"窒素を含む原子団", "Nitrogen groups"},
    {"硫黄を含む原子団", "Sulphur groups"},
    {"ハロゲンを含む原子団", "Halogen groups"},
};

}  // namespace

double Ambrose_Alcohol_Increment(int column, int carbonAtoms) {
  const double n = carbonAtoms;
  return column == 0 ? 0.87 - 0.11 * n + 0.003 * n * n : 0.100 - 0.013 * n;
}

const GroupTable& Group_Table(GroupMethod method) { return kTables[static_cast<int>(method)]; }

std::string Group_Row_Cell(GroupMethod method, int row) {
  const GroupTable& table = Group_Table(method);
  if (row < 1 || row > table.Rows()) return "";
  const char* name = table.Row(row).name;
  if (In_English())
    for (const NameEn& n : kNamesEn)
      if (std::string_view(n.ja) == name) return n.en;
  return name;
}

std::string Group_Row_Name(GroupMethod method, int row) {
  const std::string s = Group_Row_Cell(method, row);
  const auto b = s.find_first_not_of(' ');
  const auto e = s.find_last_not_of(' ');
  return b == std::string::npos ? s : s.substr(b, e - b + 1);
}

std::string Group_Caption(GroupMethod method) {
  const GroupTable& table = Group_Table(method);
  return In_English() ? table.captionEn : table.caption;
}

bool Group_Heading_Row(GroupMethod method, int row) {
  const GroupTable& table = Group_Table(method);
  if (row < 1 || row > table.Rows()) return false;
  for (int c = 0; c < table.contributionCols; ++c) {
    const char* cell = table.Row(row).cell[c];
    if (cell == nullptr || *cell != '\0') return false;
  }
  return true;
}

int* Group_Counts(GroupMethod method) {
  switch (method) {
    case GroupMethod::Lydersen: return Phys.Phys_Cnt_Lydersen;
    case GroupMethod::Ambrose: return Phys.Phys_Cnt_Ambrose;
    case GroupMethod::Joback: return Phys.Phys_Cnt_Joback;
    case GroupMethod::Klincewicz: return Phys.Phys_Cnt_Klincewicz;
    case GroupMethod::Fedors: return Phys.Phys_Cnt_Fedors;
    case GroupMethod::RihaniDoraiswamy: break;
  }
  return Phys.Phys_Cnt_CpIdeal;
}

}  // namespace physprop
