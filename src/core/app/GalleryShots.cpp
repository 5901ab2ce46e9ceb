// Gallery shots of the main menu and the about box.
#include "core/app/frmAbout.h"
#include "core/app/frmMenu.h"
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"

VZ_GALLERY_SHOT("menu_ja", [] {
  auto& menu = ui::Forms::Get<frmMenu>();
  return static_cast<QWidget*>(&menu);
});

VZ_GALLERY_SHOT("menu_en", [] {
  auto& menu = ui::Forms::Get<frmMenu>();
  menu.optLanguage.Click(1);
  return static_cast<QWidget*>(&menu);
});

VZ_GALLERY_SHOT("about", [] {
  Case.Program_No = 0;
  auto& about = ui::Forms::Get<frmAbout>();
  about.Form_Activate();
  return static_cast<QWidget*>(&about);
});
