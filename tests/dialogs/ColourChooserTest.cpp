// The colour chooser driven through the program, on the in-memory platform.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "support/InMemoryProgram.h"
#include "ui/dialogs/Form2.h"
#include "ui/dialogs/Form3.h"

namespace melodex::testing {
namespace {

using ui::Color;
using ui::SystemColor;

class ColourChooserTest : public ProgramTest {
 protected:
  Form3& Chooser() { return app.ColourChooser(); }

  std::array<ui::OptionButton*, 8> Options() {
    Form3& c = Chooser();
    return {&c.Option1, &c.Option2, &c.Option3, &c.Option4,
            &c.Option5, &c.Option6, &c.Option7, &c.Option8};
  }

  // The six colour fields, in hand-over order 1 to 6.
  std::array<ui::TextBox*, 6> ColourFields() {
    Form1& m = Main();
    return {&m.Text3, &m.Text4, &m.Text5, &m.Text6, &m.Text7, &m.Text9};
  }
  std::array<ui::CommandButton*, 6> ColourButtons() {
    Form1& m = Main();
    return {&m.Command3, &m.Command4, &m.Command5, &m.Command6, &m.Command7, &m.Command9};
  }

  std::vector<std::wstring> FieldTexts() {
    std::vector<std::wstring> texts;
    for (const ui::TextBox* field : ColourFields()) texts.push_back(field->Text());
    return texts;
  }

  const std::vector<std::wstring> kStart{L"#FFFFFF", L"#000000", L"#0000FF",
                                         L"#00FF00", L"#FF0000", L"#FF0000"};
};

TEST_F(ColourChooserTest, LaysOutTheEightOptionsInTheirColoursOnGrey) {
  const struct {
    std::wstring caption;
    ui::Rect rect;
    Color fore;
  } expected[] = {
      {L"White", {240, 120, 1695, 255}, Color::System(SystemColor::HighlightText)},
      {L"Black", {240, 480, 1695, 255}, Color::System(SystemColor::ButtonText)},
      {L"Red", {240, 840, 1695, 255}, Color::Rgb(255, 0, 0)},
      {L"Blue", {240, 1200, 1815, 255}, Color::Rgb(0, 0, 255)},
      {L"Green", {240, 1560, 1815, 255}, Color::Rgb(0, 255, 0)},
      {L"Yellow", {240, 1920, 1815, 255}, Color::Rgb(255, 255, 0)},
      {L"Purple", {240, 2280, 1695, 255}, Color::Rgb(255, 0, 255)},
      {L"Silver/Grey", {240, 2640, 1695, 255}, Color::Rgb(192, 192, 192)},
  };
  Main().Command3.Press();
  const Form3& chooser = Chooser();

  EXPECT_EQ(chooser.Caption(), L"Colors");
  EXPECT_EQ(chooser.Layout().clientWidth, 1515);
  EXPECT_EQ(chooser.Layout().clientHeight, 3630);
  EXPECT_EQ(chooser.Layout().backColor, Color::Rgb(128, 128, 128));
  const auto options = Options();
  for (std::size_t i = 0; i < options.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(options[i]->Text(), expected[i].caption);
    EXPECT_EQ(options[i]->Geometry(), expected[i].rect);
    EXPECT_EQ(options[i]->ForeColor(), expected[i].fore);
    EXPECT_EQ(options[i]->BackColor(), Color::Rgb(128, 128, 128));
    EXPECT_EQ(options[i]->TabIndex(), static_cast<int>(i));
    EXPECT_FALSE(options[i]->Value()) << "no option is selected at first";
  }
  EXPECT_EQ(chooser.Command1.Text(), L"&Ok");
  EXPECT_EQ(chooser.Command1.Geometry(), (ui::Rect{120, 3000, 1335, 255}));
  EXPECT_EQ(chooser.Command1.TabIndex(), 8);
  EXPECT_EQ(chooser.Command2.Text(), L"&Cancel");
  EXPECT_EQ(chooser.Command2.Geometry(), (ui::Rect{120, 3360, 1335, 255}));
  EXPECT_EQ(chooser.Command2.TabIndex(), 9);
  EXPECT_EQ(chooser.DefaultButton(), nullptr);
  EXPECT_EQ(chooser.CancelButton(), nullptr);
}

TEST_F(ColourChooserTest, EachOptionWritesItsPaletteValue) {
  // Three of them differ from the colour their caption is drawn in.
  const std::wstring values[] = {L"#FFFFFF", L"#000000", L"#FF0000", L"#0000FF",
                                 L"#00FF00", L"#FFFF66", L"#CC33FF", L"#CC9999"};
  for (std::size_t i = 0; i < 8; ++i) {
    SCOPED_TRACE(values[i]);
    Main().Command3.Press();
    Options()[i]->Press();
    Chooser().Command1.Press();

    EXPECT_EQ(Main().Text3.Text(), values[i]);
    EXPECT_FALSE(Chooser().Visible());
  }
  EXPECT_EQ(windows.Realized("Form3"), 1);
}

TEST_F(ColourChooserTest, SelectingAnOptionClearsTheOneSelectedBefore) {
  Main().Command3.Press();
  Chooser().Option8.Press();
  windows.changes.clear();
  Chooser().Option2.Press();
  EXPECT_EQ(windows.changes, (std::vector<std::string_view>{"Option8", "Option2"}))
      << "both redrawn";

  std::vector<bool> selected;
  for (const ui::OptionButton* option : Options()) selected.push_back(option->Value());
  EXPECT_EQ(selected, (std::vector<bool>{false, true, false, false, false, false, false, false}));
  Chooser().Command1.Press();
  EXPECT_EQ(Main().Text3.Text(), L"#000000");
}

TEST_F(ColourChooserTest, EachColourButtonLeadsToItsOwnFieldOnly) {
  Main().Text5.OnUserEdit(L"navy blue, typed by hand");  // replaced whole all the same
  for (std::size_t target = 0; target < 6; ++target) {
    SCOPED_TRACE(target + 1);
    std::vector<std::wstring> expected = FieldTexts();
    expected[target] = L"#CC33FF";

    ColourButtons()[target]->Press();
    Chooser().Option7.Press();
    Chooser().Command1.Press();

    EXPECT_EQ(Main().Text2.Text(), std::to_wstring(target + 1));
    EXPECT_EQ(FieldTexts(), expected);
    EXPECT_EQ(windows.Front(), &Main());
  }
}

TEST_F(ColourChooserTest, OkWithNoOptionSelectedEmptiesTheField) {
  Main().Command4.Press();
  Chooser().Command1.Press();

  EXPECT_EQ(Main().Text4.Text(), L"");
  EXPECT_FALSE(Chooser().Visible());
}

TEST_F(ColourChooserTest, CancelWritesNothingAndTheSelectionSurvivesReopening) {
  Main().Command3.Press();
  Chooser().Option6.Press();
  Chooser().Command2.Press();

  EXPECT_EQ(FieldTexts(), kStart);
  EXPECT_FALSE(Chooser().Visible());
  EXPECT_EQ(windows.Front(), &Main());

  // The next opening, for another field, shows the same option; OK takes it as it is.
  Main().Command9.Press();
  EXPECT_TRUE(Chooser().Option6.Value());
  Chooser().Command1.Press();
  EXPECT_EQ(Main().Text9.Text(), L"#FFFF66");
  EXPECT_EQ(Main().Text3.Text(), L"#FFFFFF");
  EXPECT_EQ(windows.Realized("Form3"), 1);
}

TEST_F(ColourChooserTest, TheCloseBoxIsACancel) {
  Main().Command6.Press();
  Chooser().Option3.Press();
  Chooser().CloseBox();

  EXPECT_EQ(FieldTexts(), kStart);
  EXPECT_FALSE(Chooser().Visible());
  EXPECT_EQ(windows.Front(), &Main());
  Main().Command6.Press();
  EXPECT_TRUE(Chooser().Option3.Value());
}

TEST_F(ColourChooserTest, TheNumberPresentAtOkDecidesTheField) {
  // "&Back color", then "&Tiltle color" before OK: the heading colour is written.
  Main().Command3.Press();
  Chooser().Option4.Press();
  Main().Command9.Press();
  Chooser().Command1.Press();
  EXPECT_EQ(Main().Text9.Text(), L"#0000FF");
  EXPECT_EQ(Main().Text3.Text(), L"#FFFFFF");

  // "&Back color", then "MP3 &Directory" before OK: nothing is written, the chooser closes
  // all the same and the main window comes to the front.
  Main().Command3.Press();
  Main().Command1.Press();
  Chooser().Show();  // the user goes back to the chooser
  Chooser().Command1.Press();
  EXPECT_EQ(FieldTexts(), (std::vector<std::wstring>{L"#FFFFFF", L"#000000", L"#0000FF", L"#00FF00",
                                                     L"#FF0000", L"#0000FF"}));
  EXPECT_FALSE(Chooser().Visible());
  EXPECT_TRUE(app.FolderPicker().Visible()) << "the chooser leaves the picker alone";
  EXPECT_EQ(Main().Text1.Text(), L"");
  EXPECT_EQ(windows.Front(), &Main());
}

TEST_F(ColourChooserTest, NumbersOutsideOneToSixWriteNothing) {
  Main().Command3.Press();
  Chooser().Option3.Press();
  for (const std::wstring number : {L"0", L"7", L"9", L"1.5", L"Temp text space"}) {
    SCOPED_TRACE(::testing::PrintToString(number));
    Chooser().Show();
    Main().Text2.SetText(number);
    Chooser().Command1.Press();

    EXPECT_EQ(FieldTexts(), kStart);
    EXPECT_FALSE(Chooser().Visible());
  }

  // The leading number counts.
  Chooser().Show();
  Chooser().Option4.Press();
  Main().Text2.SetText(L"06");
  Chooser().Command1.Press();
  EXPECT_EQ(Main().Text9.Text(), L"#0000FF");
  Chooser().Show();
  Main().Text2.SetText(L"2x");
  Chooser().Command1.Press();
  EXPECT_EQ(Main().Text4.Text(), L"#0000FF");
}

}  // namespace
}  // namespace melodex::testing
