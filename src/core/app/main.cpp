// The application: the main menu is the first window; it ends by its exit button.
#include <QApplication>
#include <QFont>

#include "core/app/frmMenu.h"
#include "platform/ui/Form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Vadezid");
  ui::SetApplicationTitle("Vadezid");
  frmMenu& menu = ui::Forms::Get<frmMenu>();
  if (menu.startupRefused) return 1;
  menu.Show();
  const int rc = QApplication::exec();
  ui::Forms::UnloadAll();
  return rc;
}
