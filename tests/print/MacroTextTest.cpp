#include <gtest/gtest.h>

#include <QDateTime>

#include "RecordingSurface.h"
#include "print/JobPlanning.h"
#include "print/PagePainter.h"
#include "print/ProgressWindowHost.h"
#include "settings/SettingsSession.h"

// Table text (categories, captions) through the whole route of a run: planned into jobs,
// painted page by page with the header filled. Table text prints as written; only the
// template's own macros are filled.
namespace {

const QDateTime kWhen(QDate(2010, 3, 5), QTime(9, 7, 4));

struct MacroCase {
  const char* name;
  bool byCategory;
  QString category;
  QString caption;
  QString header;
  QStringList printed;  // every text of the run in drawing order: header, captions per page
};

void PrintTo(const MacroCase& c, std::ostream* os) {
  *os << c.name;
}

// Everything the run writes, three rows at two cells a page.
QStringList TextsOfRun(const MacroCase& c) {
  QList<planning::TableRow> rows;
  for (int i = 0; i < 3; ++i) rows.append({QString(), c.category, c.caption});
  PictureRegistry pictures;
  RecordingSurface surface(pictures);
  SettingsSession session;
  ProgressWindowHost progress(session);
  PaintServices services{pictures, progress, [] { return kWhen; }};
  PrintSettings settings;
  settings.textArea = {0.0f, 0.0f, 1.0f, 1.0f};
  settings.captionLines = 1;
  settings.captionAlign = CaptionAlign::Left;
  PageCanvas canvas{.surface = surface,
                    .grid = PanelPageGrid(4000, 1000, GridShape{1, 2}, 0, 0, 0, 0),
                    .bodyFont = FontDescription::song9(),
                    .headerFont = FontDescription::song9(),
                    .footerFont = FontDescription::song9(),
                    .frame = {.paperWidth = 4000, .paperHeight = 1000}};
  for (const planning::PlannedJob& planned : planning::PlanJobs(rows, c.byCategory, 2))
    PaintPages(services, canvas, settings, planning::JobOfRows(rows, planned, c.header, QString()));
  QStringList texts;
  for (const RecordingSurface::Text& text : surface.texts) texts.append(text.text);
  return texts;
}

class MacroText : public ::testing::TestWithParam<MacroCase> {};

TEST_P(MacroText, TableTextPrintsAsWrittenAndTemplatesAreFilled) {
  EXPECT_EQ(TextsOfRun(GetParam()), GetParam().printed);
}

const QString kEveryMacro = QStringLiteral("&f&p&a&y&m&d&h&s");
const QString kEveryMacroUpper = QStringLiteral("&F&P&A&Y&M&D&H&S");
const QString kTemplate = QStringLiteral("[&f] &p/&A &y-&M-&d &H:&s");

INSTANTIATE_TEST_SUITE_P(
    Runs, MacroText,
    ::testing::Values(
        MacroCase{"plain_category_by_category",
                  true,
                  "旅行",
                  "说明",
                  kTemplate,
                  {"[旅行] 1/2 2010-3-5 9:4", "说明", "说明", "[旅行] 2/2 2010-3-5 9:4", "说明"}},
        MacroCase{"plain_category_by_page",
                  false,
                  "旅行",
                  "说明",
                  kTemplate,
                  {"[旅行] 1/2 2010-3-5 9:4", "说明", "说明", "[旅行] 2/2 2010-3-5 9:4", "说明"}},
        MacroCase{"macros_in_lower_case_by_category",
                  true,
                  "R&D " + kEveryMacro,
                  kEveryMacro,
                  kTemplate,
                  {"[R&D " + kEveryMacro + "] 1/2 2010-3-5 9:4", kEveryMacro, kEveryMacro,
                   "[R&D " + kEveryMacro + "] 2/2 2010-3-5 9:4", kEveryMacro}},
        MacroCase{
            "macros_in_upper_case_by_page",
            false,
            kEveryMacroUpper,
            kEveryMacroUpper,
            kTemplate,
            {"[" + kEveryMacroUpper + "] 1/2 2010-3-5 9:4", kEveryMacroUpper, kEveryMacroUpper,
             "[" + kEveryMacroUpper + "] 2/2 2010-3-5 9:4", kEveryMacroUpper}},
        MacroCase{"a_category_ending_in_an_ampersand_takes_no_letter_from_the_template",
                  true,
                  "A&",
                  "x",
                  "&fp &&p &x",
                  {"A&p &1 &x", "x", "x", "A&p &2 &x", "x"}}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
