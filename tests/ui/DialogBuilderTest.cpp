#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/TestSupport.h"
#include "ui/DialogBuilder.h"

namespace kestrel {
namespace {

using K = ControlKind;

constexpr DialogControl kControls[] = {
    {kNoControlId, K::Label, "Width:", 4, 4, 30, 8},
    {0, K::Label, "no id either", 4, 14, 30, 8},
    {10, K::DropDownList, "", 40, 4, 60, 100},
    {11, K::DigitEdit, "", 40, 24, 40, 14},
    {12, K::ReadOnlyDigitEdit, "7", 40, 40, 40, 14, false},
    {13, K::PushButton, "A caption far too long for this narrow button", 4, 60, 30, 14},
    {14, K::PushButton, "OK", 40, 60, 30, 14},
    {15, K::DefaultPushButton, "Done", 80, 60, 30, 14},
    {16, K::Icon, "", 4, 80, 20, 20, true, 9999},
};
constexpr DialogTemplate kTemplate{1, "Sample", 120, 100, 9, kControls};

TEST(DialogBaseUnitsTest, ConvertsQuartersAndEighthsRoundingToNearest) {
  const DialogBaseUnits units{7, 14};
  EXPECT_EQ(ToPixels(units, 4, 8, 4, 8), QRect(7, 14, 7, 14));
  EXPECT_EQ(ToPixels(units, 1, 1, 2, 3), QRect(2, 2, 4, 5));  // 1.75, 1.75, 3.5, 5.25
  EXPECT_EQ(ToPixels(units, 320, 419), QSize(560, 733));
}

TEST(DialogBuilderTest, BuildsEveryControlAtItsPlaceAndIndexesOnlyIds) {
  QDialog dialog;
  DialogBuilder controls(dialog, kTemplate);
  const DialogBaseUnits& units = controls.BaseUnits();

  EXPECT_EQ(dialog.windowTitle(), QString("Sample"));
  EXPECT_EQ(dialog.size(), ToPixels(units, 120, 100));
  EXPECT_EQ(controls.Controls().size(), 7);
  EXPECT_EQ(controls.Control(0), nullptr);
  EXPECT_EQ(controls.Control(-1), nullptr);
  EXPECT_EQ(dialog.findChildren<QLabel*>().size(), 3);  // two captions and the icon
  EXPECT_EQ(controls.Control(11)->geometry(), ToPixels(units, 40, 24, 40, 14));
}

TEST(DialogBuilderTest, DropDownListGetsItsClosedHeight) {
  QDialog dialog;
  DialogBuilder controls(dialog, kTemplate);
  auto* list = controls.ControlAs<QComboBox>(10);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->height(), list->sizeHint().height());
  EXPECT_LT(list->height(), ToPixels(controls.BaseUnits(), 0, 0, 0, 100).height() / 2);
  EXPECT_GT(list->maxVisibleItems(), 1);
}

TEST(DialogBuilderTest, EditsKeepTheirKindsRules) {
  QDialog dialog;
  DialogBuilder controls(dialog, kTemplate);
  auto* digits = controls.ControlAs<QLineEdit>(11);
  QTest::keyClicks(digits, "a1-2 b3");
  EXPECT_EQ(digits->text(), QString("123"));
  EXPECT_EQ(digits->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
  EXPECT_TRUE(controls.ControlAs<QLineEdit>(12)->isReadOnly());
}

TEST(DialogBuilderTest, ControlsWithoutTheVisibleFlagStayHidden) {
  QDialog dialog;
  DialogBuilder controls(dialog, kTemplate);
  dialog.show();
  EXPECT_FALSE(controls.Control(12)->isVisible());
  EXPECT_TRUE(controls.Control(11)->isVisible());
}

TEST(DialogBuilderTest, DefaultButtonEndsTheDialogWithOk) {
  QDialog dialog;
  DialogBuilder controls(dialog, kTemplate);
  dialog.show();
  QTest::mouseClick(controls.Control(15), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(DialogBuilderTest, CaptionsTooWideForTheirControlGetASmallerFont) {
  QDialog dialog;
  DialogBuilder controls(dialog, kTemplate);
  const QFont wide = controls.Control(13)->font();
  const QFont fits = controls.Control(14)->font();
  EXPECT_EQ(fits, dialog.font());
  EXPECT_TRUE(wide.stretch() == QFont::Condensed || wide.pointSizeF() < fits.pointSizeF());
  EXPECT_LT(wide.pointSizeF(), fits.pointSizeF());  // this caption does not fit even condensed
}

TEST(DialogBuilderTest, EditsListsAndCheckBoxesAreNamedAfterTheCaptionTheOperatorReads) {
  static constexpr DialogControl kNamed[] = {
      {kNoControlId, K::RightLabel, "端口类型：", 4, 6, 36, 8},
      {20, K::DropDownList, "", 42, 4, 50, 100},  // the opened list reaches the rows below
      {kNoControlId, K::Label, "Copies:", 4, 24, 36, 8},
      {21, K::DigitEdit, "", 42, 22, 30, 14},
      {kNoControlId, K::Label, "Far", 4, 42, 20, 8},
      {22, K::PushButton, "Go", 26, 40, 20, 14},
      {kNoControlId, K::GroupBox, "Console", 2, 60, 110, 60},
      {23, K::Edit, "", 50, 40, 30, 14},  // a button stands between it and "Far"
      {24, K::RichText, "", 6, 70, 100, 20},
      {25, K::CheckBox, "HEX", 6, 96, 30, 10},
      {26, K::ListBox, "", 6, 124, 30, 20},
  };
  static constexpr DialogTemplate kNamedTemplate{2, "Sample", 120, 150, 9, kNamed};
  QDialog dialog;
  DialogBuilder controls(dialog, kNamedTemplate);
  const std::vector<std::pair<int, const char*>> expected = {{20, "端口类型"}, {21, "Copies"},      {23, "Sample"},
                                                             {24, "Console"},  {25, "Console HEX"}, {26, "Sample 2"}};
  for (const auto& [id, name] : expected)
    EXPECT_EQ(controls.Control(id)->accessibleName(), QString::fromUtf8(name)) << id;
  EXPECT_EQ(dialog.findChildren<QLabel*>()[1]->buddy(), controls.Control(21));

  // Captions changed later (the window's language) rename their controls.
  dialog.findChildren<QLabel*>()[1]->setText(QStringLiteral("打印份数:"));
  controls.FitCaptions();
  EXPECT_EQ(controls.Control(21)->accessibleName(), QString::fromUtf8("打印份数"));
}

}  // namespace
}  // namespace kestrel

namespace kestrel {
namespace {

// The main window as the English interface (a Latin dialog font) and the
// Chinese one (the CJK font a Chinese locale gives) build it, on the work
// area of a 1366 x 768 and a 1024 x 768 screen with a panel of 30 pixels.
TEST(DialogBuilderTest, MainWindowFitsTheScreenAsTallInChineseAsInEnglish) {
  const char* const fonts[] = {"DejaVu Sans", "Noto Sans CJK SC"};
  for (const QRect workArea : {QRect(0, 0, 1366, 738), QRect(0, 0, 1024, 738), QRect(0, 0, 1920, 1050)}) {
    int heights[2] = {};
    for (int language = 0; language < 2; ++language) {
      QDialog dialog;
      dialog.setFont(QFont(QString::fromLatin1(fonts[language])));
      DialogBuilder controls(dialog, MainWindowTemplate(), workArea);
      const QSize withFrame = dialog.size() + QSize(16, 40);
      EXPECT_LE(withFrame.height(), workArea.height()) << fonts[language];
      EXPECT_LE(withFrame.width(), workArea.width()) << fonts[language];
      if (workArea.height() < 1000) {
        EXPECT_GT(withFrame.height(), workArea.height() - 30) << fonts[language] << ": shrank more than needed";
      } else {
        EXPECT_EQ(controls.FitScale(), 1.0);
      }
      // The Send, HEX, Standard mode and Clear row is inside the window.
      for (const int id : {1035, 1036, 1037, 1038})
        EXPECT_LE(controls.Control(id)->geometry().bottom(), dialog.height()) << id;
      heights[language] = dialog.height();
    }
    EXPECT_NEAR(heights[1], heights[0], heights[0] / 50) << workArea.width() << " x 768";
  }
}

}  // namespace
}  // namespace kestrel
