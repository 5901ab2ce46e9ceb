// One saved record of a history file at a time, plate by plate (temperature,
// flow, composition), stepped through with Next and Next10.
#pragma once

#include <QLabel>
#include <QPushButton>

#include <cstddef>
#include <string>

#include "batch/results/BatchResultCommon.h"
#include "platform/ui/SpreadGrid.h"

class frmBatchResultTrayData : public batchres::ResultForm {
  Q_OBJECT

 public:
  frmBatchResultTrayData();
  void Form_Load() override;
  void Form_Activate() override;

  // phase 0 total reflux, else withdrawal; kind 0 liquid, else vapour.
  void Open_Tray_Data(int phase, int kind);
  // Reads and shows the next record of `file`; false at the end or on damage.
  bool Read_Tray_Block(HistoryFile& file);
  void Read_Next_Block(int count);

  void cmdVapor1_Click() { Choose("全還流操作　塔内蒸気組成", "Total Reflux Vapor Composition", 0, 1); }
  void cmdLiquid1_Click() { Choose("全還流操作 塔内液組成", "Total Reflux Liquid Composition", 0, 0); }
  void cmdVapor2_Click() { Choose("製品抜出操作　塔内蒸気組成", "Product Vapor Composition", 1, 1); }
  void cmdLiquid2_Click() { Choose("製品抜出操作　塔内液組成", "Product Liquid Composition", 1, 0); }
  void cmdNext_Click() { Read_Next_Block(1); }
  void cmdNext10_Click() { Read_Next_Block(10); }
  void cmdExit_Click() override;

  int Record_View = 0;
  int Show_Vapor = 0;
  HistoryFile::Mark Next_Pos;  // where the record after the one shown starts

  QPushButton* cmdVapor1;
  QPushButton* cmdLiquid1;
  QPushButton* cmdVapor2;
  QPushButton* cmdLiquid2;
  QPushButton* cmdNext;
  QPushButton* cmdNext10;
  QPushButton* cmdExit;
  QLabel* lblTitle;
  QLabel* lblCalTime;
  QLabel* lblCalTimeValue;
  ui::SpreadGrid* vaSpread1;

 private:
  void Choose(const char* japanese, const char* english, int phase, int kind);
  void Show_Choices(bool choices);
  HistoryRecord rec_;
  BatchRunCase run_;  // the case of the run whose history is shown
};
