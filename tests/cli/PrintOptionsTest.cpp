#include <gtest/gtest.h>

#include <functional>

#include "cli/PrintOptions.h"

namespace {

// The command every good case starts from: page files into "pages" from "album.txt".
PrintCommand FilesCommand() {
  PrintCommand c;
  c.input = QStringLiteral("album.txt");
  c.outFolder = QStringLiteral("pages");
  c.settings.toPictureFiles = true;
  return c;
}

struct GoodCase {
  const char* name;
  QStringList arguments;  // after "--out pages" unless they name a printer, before "album.txt"
  std::function<void(PrintCommand&)> change;
};

class GoodOptions : public ::testing::TestWithParam<GoodCase> {};

TEST_P(GoodOptions, ReadIntoTheCommand) {
  const GoodCase& c = GetParam();
  QStringList arguments = c.arguments;
  if (!arguments.contains(QStringLiteral("--printer")))
    arguments = QStringList{"--out", "pages"} + arguments;
  if (!arguments.contains(QStringLiteral("--")) && !arguments.contains(QStringLiteral("-")))
    arguments << QStringLiteral("album.txt");
  PrintCommand expected = FilesCommand();
  c.change(expected);
  const ParsedCommand parsed = ParsePrintCommand(arguments);
  EXPECT_EQ(parsed.error, QString());
  EXPECT_TRUE(parsed.command == expected) << arguments.join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GoodOptions,
    ::testing::Values(
        GoodCase{"defaults", {}, [](PrintCommand&) {}},
        GoodCase{"photo_info", {"--photo-info"}, [](PrintCommand& c) { c.photoInfo = true; }},
        GoodCase{"grid",
                 {"--rows=3", "--cols", "4", "--row-spacing", "0", "--col-spacing", "25"},
                 [](PrintCommand& c) {
                   c.settings.rows = 3;
                   c.settings.columns = 4;
                   c.settings.rowSpacing = 0;
                   c.settings.columnSpacing = 25;
                 }},
        GoodCase{"named_paper_landscape",
                 {"--paper", "a3", "--landscape"},
                 [](PrintCommand& c) {
                   c.settings.paperWidth = 2970;
                   c.settings.paperHeight = 4200;
                   c.settings.landscape = true;
                 }},
        GoodCase{"paper_in_mm_truncated_to_tenths",
                 {"--paper", "215.97×279.4mm", "--landscape", "--portrait"},
                 [](PrintCommand& c) {
                   c.settings.paperWidth = 2159;
                   c.settings.paperHeight = 2794;
                 }},
        GoodCase{
            "margins_and_distances",
            {"--margins", "10,12.5，0,3", "--header-from-top", "8", "--footer-from-bottom", "9.5"},
            [](PrintCommand& c) {
              c.settings.marginTop = 100;
              c.settings.marginBottom = 125;
              c.settings.marginLeft = 0;
              c.settings.marginRight = 30;
              c.settings.headerFromTop = 80;
              c.settings.footerFromBottom = 95;
            }},
        GoodCase{"lists_of_the_window",
                 {"--fit", "4", "--caption-lines", "0", "--level", "0", "--copies", "3",
                  "--caption-align", "LEFT", "--header-align", "left", "--footer-align", "right"},
                 [](PrintCommand& c) {
                   c.settings.photoFit = 4;
                   c.settings.captionLines = 0;
                   c.settings.optimiseLevel = 0;
                   c.settings.copies = 3;
                   c.settings.captionAlign = CaptionAlign::Left;
                   c.settings.headerAlign = HeaderAlign::Left;
                   c.settings.footerAlign = HeaderAlign::Right;
                 }},
        GoodCase{"fonts",
                 {"--body-font", "楷体,12,bold,italic", "--header-font", "黑体，14",
                  "--footer-font", "宋体,8,underline,strikeout"},
                 [](PrintCommand& c) {
                   c.settings.bodyFont = {0, 1, 1, 0, 0, 12, QStringLiteral("楷体")};
                   c.settings.headerFont = {0, 0, 0, 0, 0, 14, QStringLiteral("黑体")};
                   c.settings.footerFont = {0, 0, 0, 1, 1, 8, QStringLiteral("宋体")};
                 }},
        GoodCase{"formats_and_their_other_names",
                 {"--format", "tif"},
                 [](PrintCommand& c) { c.settings.pictureFormat = PageFileFormat::Tiff; }},
        GoodCase{"png",
                 {"--format=PNG"},
                 [](PrintCommand& c) { c.settings.pictureFormat = PageFileFormat::Png; }},
        GoodCase{"printer_instead_of_files",
                 {"--printer", "default"},
                 [](PrintCommand& c) {
                   c.outFolder.clear();
                   c.printer = QStringLiteral("default");
                   c.settings.toPictureFiles = false;
                 }},
        GoodCase{"search_jobs_and_quiet",
                 {"--no-recursive", "--by-page", "--quiet"},
                 [](PrintCommand& c) {
                   c.includeSubfolders = false;
                   c.byCategory = false;
                   c.quiet = true;
                 }},
        GoodCase{"columns_and_texts",
                 {"--picture-column", "2", "--category-column", "0", "--caption-columns", "4，3",
                  "--header", "&f 第&p页", "--footer=共&a页"},
                 [](PrintCommand& c) {
                   c.pictureColumn = 2;
                   c.categoryColumn = 0;
                   c.captionColumns = QStringLiteral("4，3");
                   c.headerText = QStringLiteral("&f 第&p页");
                   c.footerText = QStringLiteral("共&a页");
                 }},
        GoodCase{"standard_input", {"-"}, [](PrintCommand& c) { c.input = QStringLiteral("-"); }},
        GoodCase{"input_after_double_dash",
                 {"--", "--odd name.txt"},
                 [](PrintCommand& c) { c.input = QStringLiteral("--odd name.txt"); }}),
    [](const auto& test) { return std::string(test.param.name); });

struct BadCase {
  QStringList arguments;
  QString error;
};

class BadOptions : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadOptions, AreRefusedWithOneLine) {
  const ParsedCommand parsed = ParsePrintCommand(GetParam().arguments);
  EXPECT_FALSE(parsed.ok());
  EXPECT_EQ(parsed.error, GetParam().error) << GetParam().arguments.join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadOptions,
    ::testing::Values(
        BadCase{{"--colour", "x", "in"}, "未知的选项“--colour”。"},
        BadCase{{"-q", "in"}, "未知的选项“-q”。"},
        BadCase{{"in", "--rows"}, "选项 --rows 缺少值（N）。"},
        BadCase{{"--landscape=yes", "in"}, "选项 --landscape 不带值。"},
        BadCase{{"--rows", "0"}, "选项 --rows 的值“0”不对：要 1 到 1000 之间的整数。"},
        BadCase{{"--cols", "5x"}, "选项 --cols 的值“5x”不对：要 1 到 1000 之间的整数。"},
        BadCase{{"--copies", "0"}, "选项 --copies 的值“0”不对：要 1 到 999 之间的整数。"},
        BadCase{{"--fit", "5"}, "选项 --fit 的值“5”不对：要 0 到 4 之间的整数。"},
        BadCase{{"--caption-lines", "10"},
                "选项 --caption-lines 的值“10”不对：要 0 到 9 之间的整数。"},
        BadCase{{"--level", "-1"}, "选项 --level 的值“-1”不对：要 0 到 5 之间的整数。"},
        BadCase{{"--row-spacing", "-5"},
                "选项 --row-spacing 的值“-5”不对：要 0 到 100000 之间的整数。"},
        BadCase{{"--picture-column", "-1"},
                "选项 --picture-column 的值“-1”不对：要 0 到 1000000 之间的整数。"},
        BadCase{{"--header-from-top", "1e3"},
                "选项 --header-from-top 的值“1e3”不对：要 0 到 10000 之间的毫米数。"},
        BadCase{{"--paper", "A6"},
                "选项 --paper 的值“A6”不对：要 A4|A3|A5|B5|Letter|Legal，或 宽x高mm（例如 "
                "100x150mm）。"},
        BadCase{{"--paper", "0x150mm"},
                "选项 --paper 的值“0x150mm”不对：要 A4|A3|A5|B5|Letter|Legal，或 宽x高mm（例如 "
                "100x150mm）。"},
        BadCase{{"--margins", "1,2,3"},
                "选项 --margins 的值“1,2,3”不对：要四个毫米数：上,下,左,右（例如 20,18,5,15）。"},
        BadCase{{"--body-font", "宋体"},
                "选项 --body-font 的值“宋体”不对：要 "
                "字体名,磅数[,bold][,italic][,underline][,strikeout]。"},
        BadCase{{"--footer-font", "宋体,9,heavy"},
                "选项 --footer-font 的值“宋体,9,heavy”不对：要 "
                "字体名,磅数[,bold][,italic][,underline][,strikeout]。"},
        BadCase{{"--caption-align", "middle"},
                "选项 --caption-align 的值“middle”不对：要 center|left|right 之一。"},
        BadCase{{"--caption-columns", "4;3"},
                "选项 --caption-columns 的值“4;3”不对：要以逗号分隔的列号，例如 4,3。"},
        BadCase{{"--format", "webp"},
                QStringLiteral("选项 --format 的值“webp”不对：要 %1 之一。")
                    .arg(PageFileFormatNames().join(u'|'))},
        BadCase{{"--out", "pages", "a", "b"}, "多余的参数“b”：只能给出一个输入。"},
        BadCase{{"--out", "pages"},
                "缺少输入：请给出表格文本文件、要搜索的文件夹，或用 - 表示标准输入。"},
        BadCase{{"in"}, "请在 --out 文件夹 和 --printer 打印机 中选一个作为输出。"},
        BadCase{{"--out", "pages", "--printer", "default", "in"},
                "请在 --out 文件夹 和 --printer 打印机 中选一个作为输出。"},
        BadCase{{"--printer", "default", "--format", "png", "in"},
                "--format 只用于 --out 写出的页面文件。"},
        BadCase{{"--out", "pages", "--landscape", "--margins", "200,10,0,0", "in"},
                "页边距 200,10,0,0 毫米占满了 297x210 毫米的纸张，没有地方放照片。"}));

TEST(PrintOptions, HelpAndVersionWinOverMistakes) {
  EXPECT_EQ(ParsePrintCommand({"--rows", "0", "--help"}).command.action,
            PrintCommand::Action::Help);
  EXPECT_EQ(ParsePrintCommand({"--colour", "--version"}).command.action,
            PrintCommand::Action::Version);
  EXPECT_TRUE(ParsePrintCommand({"--version"}).ok());
}

// The default --help shows for an option, given as its value, changes nothing: the
// defaults shown are the defaults used.
TEST(PrintOptions, EveryShownDefaultReadsBackAsTheDefault) {
  const QStringList base{"--out", "pages", "album.txt"};
  const PrintCommand defaults = ParsePrintCommand(base).command;
  const QString help = PrintCommandHelp();
  for (const PrintOptionInfo& option : PrintOptionList()) {
    EXPECT_TRUE(help.contains(QStringLiteral("--") + option.name)) << option.name.toStdString();
    if (option.value.isEmpty() || option.shownDefault.isEmpty()) continue;
    const ParsedCommand parsed = ParsePrintCommand(
        QStringList{QStringLiteral("--") + option.name, option.shownDefault} + base);
    EXPECT_TRUE(parsed.ok()) << parsed.error.toStdString();
    EXPECT_TRUE(parsed.command == defaults) << option.name.toStdString();
  }
}

// --settings starts from the start settings the window saved; every option given applies
// on top of them, before or after --settings.
TEST(PrintOptions, SettingsFileIsTheStartAndOptionsApplyOnTop) {
  StartSettings saved;
  saved.print.rows = 3;
  saved.print.columns = 2;
  saved.print.pictureFormat = PageFileFormat::Pdf;
  saved.print.photoArea = {0.1f, 0.1f, 0.8f, 0.6f};
  saved.mainWindow = {QStringLiteral("&f 第&p页"), QStringLiteral("脚"), false, false};
  SettingsReading withBadRows;
  withBadRows.settings = saved;
  withBadRows.badKeys = QStringList{"cells/rows", "cells/photoFit"};
  SettingsReading newer;
  newer.unreadable = true;
  newer.whyUnreadable = QStringLiteral("它由更新版本的程序写成");
  QStringList asked;
  const StartSettingsReader reader = [&](const QString& file) -> std::optional<SettingsReading> {
    asked.append(file);
    if (file == u"good.ini") return SettingsReading{saved, {}, false, {}};
    if (file == u"bad-values.ini") return withBadRows;
    if (file == u"newer.ini") return newer;
    return std::nullopt;
  };

  PrintCommand expected = FilesCommand();
  expected.settingsFile = QStringLiteral("good.ini");
  expected.settings = saved.print;
  expected.settings.columns = 4;
  expected.settings.toPictureFiles = true;
  expected.headerText = saved.mainWindow.headerTemplate;
  expected.footerText = QStringLiteral("页脚");
  expected.includeSubfolders = false;
  expected.byCategory = false;
  const ParsedCommand good = ParsePrintCommand(
      {"--cols", "4", "--out", "pages", "--settings", "good.ini", "--footer", "页脚", "album.txt"},
      reader);
  EXPECT_EQ(good.error, QString());
  EXPECT_EQ(good.warning, QString());
  EXPECT_TRUE(good.command == expected);

  const ParsedCommand badValues =
      ParsePrintCommand({"--settings=bad-values.ini", "--out", "pages", "album.txt"}, reader);
  EXPECT_TRUE(badValues.ok());
  EXPECT_EQ(badValues.warning,
            QStringLiteral("注意：设置文件“bad-values.ini”里有读不出的设置（cells/rows、"
                           "cells/photoFit），已改用出厂设置。"));

  const auto errorOf = [&](const QString& file) {
    return ParsePrintCommand({"--settings", file, "--out", "pages", "album.txt"}, reader).error;
  };
  EXPECT_EQ(errorOf("newer.ini"),
            QStringLiteral("读不了设置文件“newer.ini”：它由更新版本的程序写成。"));
  EXPECT_EQ(errorOf("gone.ini"), QStringLiteral("找不到设置文件“gone.ini”。"));
  EXPECT_EQ(errorOf("saved"), QStringLiteral("找不到保存的默认设置。"));
  EXPECT_EQ(asked, (QStringList{"good.ini", "bad-values.ini", "newer.ini", "gone.ini", "saved"}));
}

// --preset starts from a setting set the way --settings starts from a file; an unknown
// name lists the sets there are.
TEST(PrintOptions, PresetIsTheStartAndUnknownNamesListTheSets) {
  StartSettings set;
  set.print.rows = 4;
  set.print.paperWidth = 2970;
  SettingsReading damaged;
  damaged.badKeys = QStringList{"cells/columns"};
  QStringList read;
  const SettingSetReader sets{[] {
                                return QStringList{"产品", "Class"};
                              },
                              [&](const QString& name) -> std::optional<SettingsReading> {
                                read.append(name);
                                if (name == u"Class") return SettingsReading{set, {}, false, {}};
                                return damaged;
                              }};
  const auto parse = [&sets](const QStringList& arguments) {
    return ParsePrintCommand(arguments + QStringList{"--out", "pages", "album.txt"}, {}, sets);
  };

  PrintCommand expected = FilesCommand();
  expected.preset = QStringLiteral("class");
  expected.settings = set.print;
  expected.settings.toPictureFiles = true;
  const ParsedCommand good = parse({"--preset", "class"});
  EXPECT_EQ(good.error, QString());
  EXPECT_TRUE(good.command == expected);
  EXPECT_EQ(parse({"--preset=产品"}).warning,
            QStringLiteral("注意：方案“产品”里有读不出的设置（cells/columns），已改用出厂设置。"));
  EXPECT_EQ(read, (QStringList{"Class", "产品"}));

  EXPECT_EQ(parse({"--preset", "海报"}).error,
            QStringLiteral("没有名为“海报”的方案。已保存的方案有：产品、Class。"));
  EXPECT_EQ(ParsePrintCommand({"--preset", "海报", "--out", "pages", "album.txt"}).error,
            QStringLiteral("没有名为“海报”的方案：还没有保存任何方案。"));
  EXPECT_EQ(parse({"--preset", "Class", "--settings", "saved"}).error,
            QStringLiteral("--settings 和 --preset 只能用一个。"));
}

}  // namespace
