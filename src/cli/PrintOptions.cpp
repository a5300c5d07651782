#include "cli/PrintOptions.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <vector>

#include "model/MarginRange.h"
#include "settings/SettingsForm.h"
#include "settings/TextNumbers.h"

namespace {

// The longest paper side the options take, in millimetres.
constexpr int kMaxMillimetres = 10000;
// Rows and columns beyond this leave cells thinner than a hair on any paper.
constexpr int kMaxCellsPerSide = 1000;
constexpr int kMaxCopies = 999;
constexpr int kMaxSpacing = 100000;  // 0.1 mm
constexpr int kMaxColumnNumber = 1000000;
constexpr int kMaxFontSize = 500;

struct NamedPaper {
  const char* name;
  int width;  // 0.1 mm, portrait
  int height;
};
constexpr std::array<NamedPaper, 6> kPapers{{{"A4", 2100, 2970},
                                             {"A3", 2970, 4200},
                                             {"A5", 1480, 2100},
                                             {"B5", 1760, 2500},
                                             {"Letter", 2159, 2794},
                                             {"Legal", 2159, 3556}}};

const QStringList kHeaderAlignNames{QStringLiteral("left"), QStringLiteral("center"),
                                    QStringLiteral("right")};
// Captions number their alignments differently: 0 centre, 1 left, 2 right.
const QStringList kCaptionAlignNames{QStringLiteral("center"), QStringLiteral("left"),
                                     QStringLiteral("right")};
const QStringList kFontStyles{QStringLiteral("bold"), QStringLiteral("italic"),
                              QStringLiteral("underline"), QStringLiteral("strikeout")};

// An option refuses a value with the reason, or accepts it with an empty text.
using Apply = QString (*)(PrintCommand&, const QString&);
using Shown = QString (*)(const PrintCommand&);

struct OptionRow {
  const char* name;
  const char* value;  // nullptr: a switch
  const char* help;
  Apply apply;
  Shown shown;  // nullptr: no default worth showing
};

bool ReadInteger(const QString& text, long long min, long long max, int& out) {
  static const QRegularExpression integer(QStringLiteral("^-?[0-9]{1,12}$"));
  if (!integer.match(text).hasMatch()) return false;
  const long long value = text.toLongLong();
  if (value < min || value > max) return false;
  out = static_cast<int>(value);
  return true;
}

QString IntegerRange(long long min, long long max) {
  return QStringLiteral("要 %1 到 %2 之间的整数").arg(min).arg(max);
}

// A length in millimetres, decimals allowed, stored in 0.1 mm truncated as the settings
// window stores what is typed into its boxes.
bool ReadMillimetres(const QString& text, int minTenths, int maxTenths, int& tenths) {
  static const QRegularExpression number(QStringLiteral("^[0-9]{1,6}(\\.[0-9]*)?$"));
  if (!number.match(text).hasMatch()) return false;
  const int value = StoredTenthsOfText(text);
  if (value < minTenths || value > maxTenths) return false;
  tenths = value;
  return true;
}

bool ReadMargin(const QString& text, int& tenths) {
  return ReadMillimetres(text, kMarginLowest, kMarginHighest, tenths);
}

QString MarginRangeText() {
  return QStringLiteral("要 %1 到 %2 之间的毫米数")
      .arg(ShownMillimetres(kMarginLowest), ShownMillimetres(kMarginHighest));
}

QString IntegerOption(int& field, const QString& text, int min, int max) {
  return ReadInteger(text, min, max, field) ? QString() : IntegerRange(min, max);
}

QString MarginOption(int& field, const QString& text) {
  return ReadMargin(text, field) ? QString() : MarginRangeText();
}

QString ColumnOption(std::optional<int>& field, const QString& text) {
  int column = 0;
  if (!ReadInteger(text, 0, kMaxColumnNumber, column)) return IntegerRange(0, kMaxColumnNumber);
  field = column;
  return {};
}

QString CaptionColumnsOption(PrintCommand& c, const QString& text) {
  static const QRegularExpression list(QStringLiteral("^[0-9,，]*$"));
  if (!list.match(text).hasMatch()) return QStringLiteral("要以逗号分隔的列号，例如 4,3");
  c.captionColumns = text;
  return {};
}

// names lists the alignments in the order of their enumeration.
template <typename Align>
QString AlignOption(Align& field, const QStringList& names, const QString& text) {
  const qsizetype index = names.indexOf(text.toLower());
  if (index < 0) return QStringLiteral("要 %1 之一").arg(names.join(u'|'));
  field = static_cast<Align>(index);
  return {};
}

template <typename Align>
QString AlignText(Align align, const QStringList& names) {
  return names.value(static_cast<int>(align));
}

QString PaperOption(PrintCommand& c, const QString& text) {
  for (const NamedPaper& paper : kPapers) {
    if (text.compare(QLatin1String(paper.name), Qt::CaseInsensitive) == 0) {
      c.settings.paperWidth = paper.width;
      c.settings.paperHeight = paper.height;
      return {};
    }
  }
  static const QRegularExpression size(
      QStringLiteral("^([0-9.]+)\\s*[xX×*]\\s*([0-9.]+)\\s*(mm)?$"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = size.match(text);
  int width = 0;
  int height = 0;
  if (!match.hasMatch() || !ReadMillimetres(match.captured(1), 1, kMaxMillimetres * 10, width) ||
      !ReadMillimetres(match.captured(2), 1, kMaxMillimetres * 10, height))
    return QStringLiteral("要 A4|A3|A5|B5|Letter|Legal，或 宽x高mm（例如 100x150mm）");
  c.settings.paperWidth = width;
  c.settings.paperHeight = height;
  return {};
}

QString PaperText(const PrintSettings& s) {
  for (const NamedPaper& paper : kPapers)
    if (s.paperWidth == paper.width && s.paperHeight == paper.height)
      return QLatin1String(paper.name);
  return ShownMillimetres(s.paperWidth) + u'x' + ShownMillimetres(s.paperHeight) +
         QStringLiteral("mm");
}

QStringList SplitAtCommas(QString text) {
  text.replace(QStringLiteral("，"), QStringLiteral(","));
  return text.split(u',');
}

QString MarginsOption(PrintCommand& c, const QString& text) {
  const QStringList parts = SplitAtCommas(text);
  std::array<int, 4> margins{};
  bool good = parts.size() == 4;
  for (qsizetype i = 0; good && i < 4; ++i) good = ReadMargin(parts[i].trimmed(), margins[i]);
  if (!good) return QStringLiteral("要四个毫米数：上,下,左,右（例如 20,18,5,15）");
  c.settings.marginTop = margins[0];
  c.settings.marginBottom = margins[1];
  c.settings.marginLeft = margins[2];
  c.settings.marginRight = margins[3];
  return {};
}

QString MarginsText(const PrintSettings& s) {
  return QStringList{ShownMillimetres(s.marginTop), ShownMillimetres(s.marginBottom),
                     ShownMillimetres(s.marginLeft), ShownMillimetres(s.marginRight)}
      .join(u',');
}

QString FontOption(FontDescription& font, const QString& text) {
  const QStringList parts = SplitAtCommas(text);
  QString reason = QStringLiteral("要 字体名,磅数[,bold][,italic][,underline][,strikeout]");
  FontDescription read;
  read.angle = font.angle;
  read.face = parts[0].trimmed();
  if (parts.size() < 2 || read.face.isEmpty() ||
      !ReadInteger(parts[1].trimmed(), 1, kMaxFontSize, read.size))
    return reason;
  for (qsizetype i = 2; i < parts.size(); ++i) {
    const qsizetype style = kFontStyles.indexOf(parts[i].trimmed().toLower());
    if (style < 0) return reason;
    int* flags[] = {&read.bold, &read.italic, &read.underline, &read.strikeout};
    *flags[style] = 1;
  }
  font = read;
  return {};
}

QString FontText(const FontDescription& font) {
  QString text = font.face + u',' + QString::number(font.size);
  const int flags[] = {font.bold, font.italic, font.underline, font.strikeout};
  for (int i = 0; i < 4; ++i)
    if (flags[i]) text += u',' + kFontStyles[i];
  return text;
}

QString FormatOption(PrintCommand& c, const QString& text) {
  QString name = text.toLower();
  if (name == u"jpeg") name = QStringLiteral("jpg");
  if (name == u"tif") name = QStringLiteral("tiff");
  const qsizetype index = PageFileFormatNames().indexOf(name);
  if (index < 0) return QStringLiteral("要 %1 之一").arg(PageFileFormatNames().join(u'|'));
  c.settings.pictureFormat = PageFileFormat(index + 1);
  return {};
}

QString FormatText(const PrintCommand& c) {
  return PageFileFormatNames().value(int(c.settings.pictureFormat) - 1);
}

QString On(bool active) {
  return active ? QStringLiteral("默认") : QString();
}

const std::vector<OptionRow>& Options() {
  static const std::vector<OptionRow> options{
      {"settings", "FILE|saved",
       "从“保存为默认设置”写下的设置文件开始，saved 是本机保存的默认设置；其余选项在其上修改",
       [](PrintCommand& c, const QString& v) {
         c.settingsFile = v;
         return v.isEmpty() ? QStringLiteral("要设置文件或 saved") : QString();
       },
       nullptr},
      {"preset", "NAME", "从设置窗口里“保存方案…”保存的这个方案开始；其余选项在其上修改",
       [](PrintCommand& c, const QString& v) {
         c.preset = v;
         return v.isEmpty() ? QStringLiteral("要方案的名称") : QString();
       },
       nullptr},
      {"recursive", nullptr, "搜索文件夹时包括子文件夹",
       [](PrintCommand& c, const QString&) {
         c.includeSubfolders = true;
         return QString();
       },
       [](const PrintCommand& c) { return On(c.includeSubfolders); }},
      {"no-recursive", nullptr, "只搜索文件夹本身的图片",
       [](PrintCommand& c, const QString&) {
         c.includeSubfolders = false;
         return QString();
       },
       [](const PrintCommand& c) { return On(!c.includeSubfolders); }},
      {"photo-info", nullptr,
       "搜索文件夹时在图片说明后加上拍摄时间、相机、像素三列（与“读取拍摄信息”相同），"
       "可用 --caption-columns 打印",
       [](PrintCommand& c, const QString&) {
         c.photoInfo = true;
         return QString();
       },
       nullptr},
      {"picture-column", "N", "图片位置所在的列（从 1 数起；默认按列标题“图片名全称”）",
       [](PrintCommand& c, const QString& v) { return ColumnOption(c.pictureColumn, v); }, nullptr},
      {"category-column", "N", "图片类别所在的列（默认按列标题“图片类别”）",
       [](PrintCommand& c, const QString& v) { return ColumnOption(c.categoryColumn, v); },
       nullptr},
      {"caption-columns", "列,列…",
       "图片说明所在的列，以逗号分隔，0 不打印（默认按列标题“图片说明”）", CaptionColumnsOption,
       nullptr},
      {"out", "DIR", "把每页写成图片文件，放进这个文件夹（没有就建立）",
       [](PrintCommand& c, const QString& v) {
         c.outFolder = v;
         return v.isEmpty() ? QStringLiteral("要一个文件夹") : QString();
       },
       nullptr},
      {"format", "格式", "页面文件的格式", FormatOption, FormatText},
      {"printer", "NAME|default", "在这台打印机上打印；default 是系统的默认打印机",
       [](PrintCommand& c, const QString& v) {
         c.printer = v;
         return v.isEmpty() ? QStringLiteral("要打印机的名字或 default") : QString();
       },
       nullptr},
      {"by-category", nullptr, "每个类别（连续相同的类别）一个作业",
       [](PrintCommand& c, const QString&) {
         c.byCategory = true;
         return QString();
       },
       [](const PrintCommand& c) { return On(c.byCategory); }},
      {"by-page", nullptr, "每页一个作业",
       [](PrintCommand& c, const QString&) {
         c.byCategory = false;
         return QString();
       },
       [](const PrintCommand& c) { return On(!c.byCategory); }},
      {"paper", "纸张", "A4|A3|A5|B5|Letter|Legal 或 宽x高mm", PaperOption,
       [](const PrintCommand& c) { return PaperText(c.settings); }},
      {"landscape", nullptr, "横向打印",
       [](PrintCommand& c, const QString&) {
         c.settings.landscape = true;
         return QString();
       },
       [](const PrintCommand& c) { return On(c.settings.landscape); }},
      {"portrait", nullptr, "纵向打印",
       [](PrintCommand& c, const QString&) {
         c.settings.landscape = false;
         return QString();
       },
       [](const PrintCommand& c) { return On(!c.settings.landscape); }},
      {"margins", "上,下,左,右", "页边距（毫米）", MarginsOption,
       [](const PrintCommand& c) { return MarginsText(c.settings); }},
      {"header-from-top", "MM", "页眉距顶端（毫米）",
       [](PrintCommand& c, const QString& v) { return MarginOption(c.settings.headerFromTop, v); },
       [](const PrintCommand& c) { return ShownMillimetres(c.settings.headerFromTop); }},
      {"footer-from-bottom", "MM", "页脚距底端（毫米）",
       [](PrintCommand& c, const QString& v) {
         return MarginOption(c.settings.footerFromBottom, v);
       },
       [](const PrintCommand& c) { return ShownMillimetres(c.settings.footerFromBottom); }},
      {"rows", "N", "每页行数",
       [](PrintCommand& c, const QString& v) {
         return IntegerOption(c.settings.rows, v, 1, kMaxCellsPerSide);
       },
       [](const PrintCommand& c) { return QString::number(c.settings.rows); }},
      {"cols", "N", "每页列数",
       [](PrintCommand& c, const QString& v) {
         return IntegerOption(c.settings.columns, v, 1, kMaxCellsPerSide);
       },
       [](const PrintCommand& c) { return QString::number(c.settings.columns); }},
      {"row-spacing", "N", "图片行间距（0.1 毫米）",
       [](PrintCommand& c, const QString& v) {
         return IntegerOption(c.settings.rowSpacing, v, 0, kMaxSpacing);
       },
       [](const PrintCommand& c) { return QString::number(c.settings.rowSpacing); }},
      {"col-spacing", "N", "图片列间距（0.1 毫米）",
       [](PrintCommand& c, const QString& v) {
         return IntegerOption(c.settings.columnSpacing, v, 0, kMaxSpacing);
       },
       [](const PrintCommand& c) { return QString::number(c.settings.columnSpacing); }},
      {"fit", "0..4",
       "照片打印方式：0 按比例缩放且居中，1 布满，2 按原始值且居中，3 按比例缩放不居中，4 "
       "按原始值不居中",
       [](PrintCommand& c, const QString& v) {
         return IntegerOption(c.settings.photoFit, v, 0, 4);
       },
       [](const PrintCommand& c) { return QString::number(c.settings.photoFit); }},
      {"caption-lines", "0..9", "每照片配几行文字",
       [](PrintCommand& c, const QString& v) {
         return IntegerOption(c.settings.captionLines, v, 0, 9);
       },
       [](const PrintCommand& c) { return QString::number(c.settings.captionLines); }},
      {"caption-align", "center|left|right", "图片说明的对齐方式",
       [](PrintCommand& c, const QString& v) {
         return AlignOption(c.settings.captionAlign, kCaptionAlignNames, v);
       },
       [](const PrintCommand& c) {
         return AlignText(c.settings.captionAlign, kCaptionAlignNames);
       }},
      {"header-align", "left|center|right", "页眉的对齐方式",
       [](PrintCommand& c, const QString& v) {
         return AlignOption(c.settings.headerAlign, kHeaderAlignNames, v);
       },
       [](const PrintCommand& c) { return AlignText(c.settings.headerAlign, kHeaderAlignNames); }},
      {"footer-align", "left|center|right", "页脚的对齐方式",
       [](PrintCommand& c, const QString& v) {
         return AlignOption(c.settings.footerAlign, kHeaderAlignNames, v);
       },
       [](const PrintCommand& c) { return AlignText(c.settings.footerAlign, kHeaderAlignNames); }},
      {"body-font", "字体,磅数[,bold…]", "图片说明的字体",
       [](PrintCommand& c, const QString& v) { return FontOption(c.settings.bodyFont, v); },
       [](const PrintCommand& c) { return FontText(c.settings.bodyFont); }},
      {"header-font", "字体,磅数[,bold…]", "页眉的字体",
       [](PrintCommand& c, const QString& v) { return FontOption(c.settings.headerFont, v); },
       [](const PrintCommand& c) { return FontText(c.settings.headerFont); }},
      {"footer-font", "字体,磅数[,bold…]", "页脚的字体",
       [](PrintCommand& c, const QString& v) { return FontOption(c.settings.footerFont, v); },
       [](const PrintCommand& c) { return FontText(c.settings.footerFont); }},
      {"copies", "N", "打印份数（页面文件每页只写一个）",
       [](PrintCommand& c, const QString& v) {
         return IntegerOption(c.settings.copies, v, 1, kMaxCopies);
       },
       [](const PrintCommand& c) { return QString::number(c.settings.copies); }},
      {"level", "0..5", "照片优化：0 不优化，1 到 5 优化到 50K…250K",
       [](PrintCommand& c, const QString& v) {
         return IntegerOption(c.settings.optimiseLevel, v, 0, 5);
       },
       [](const PrintCommand& c) { return QString::number(c.settings.optimiseLevel); }},
      {"header", "TEXT",
       "页眉；&p 页码，&a 总页数，&f 类别，&y &m &d &h &s 打印时的年、月、日、时、秒",
       [](PrintCommand& c, const QString& v) {
         c.headerText = v;
         return QString();
       },
       nullptr},
      {"footer", "TEXT", "页脚，宏同页眉",
       [](PrintCommand& c, const QString& v) {
         c.footerText = v;
         return QString();
       },
       nullptr},
      {"check", nullptr,
       "只检查不打印：列出找不到、读不出或分辨率太低的照片，不写任何文件；"
       "有照片印不出来时退出码为 1",
       [](PrintCommand& c, const QString&) {
         c.check = true;
         return QString();
       },
       nullptr},
      {"min-ppi", "N", "照片在印出的大小下低于每英寸 N 像素就算分辨率太低",
       [](PrintCommand& c, const QString& v) { return IntegerOption(c.minimumPpi, v, 1, 100000); },
       [](const PrintCommand& c) { return QString::number(c.minimumPpi); }},
      {"quiet", nullptr, "不显示进度和总结，只报错误",
       [](PrintCommand& c, const QString&) {
         c.quiet = true;
         return QString();
       },
       nullptr},
      {"help", nullptr, "显示本说明",
       [](PrintCommand& c, const QString&) {
         c.action = PrintCommand::Action::Help;
         return QString();
       },
       nullptr},
      {"version", nullptr, "显示版本",
       [](PrintCommand& c, const QString&) {
         c.action = PrintCommand::Action::Version;
         return QString();
       },
       nullptr},
  };
  return options;
}

// The command before any option: the start settings' print settings and main-window
// choices.
PrintCommand CommandFrom(const StartSettings& start) {
  PrintCommand c;
  c.settings = start.print;
  c.headerText = start.mainWindow.headerTemplate;
  c.footerText = start.mainWindow.footerTemplate;
  c.includeSubfolders = start.mainWindow.includeSubfolders;
  c.byCategory = start.mainWindow.printByCategory;
  return c;
}

const OptionRow* FindOption(const QString& name) {
  for (const OptionRow& option : Options())
    if (name == QLatin1String(option.name)) return &option;
  return nullptr;
}

// What the options say together: one output, and paper left between the margins.
QString CheckCombination(const PrintCommand& c) {
  if (c.input.isEmpty())
    return QStringLiteral("缺少输入：请给出表格文本文件、要搜索的文件夹，或用 - 表示标准输入。");
  if (!c.outFolder.isEmpty() && !c.printer.isEmpty())
    return QStringLiteral("请在 --out 文件夹 和 --printer 打印机 中选一个作为输出。");
  if (c.outFolder.isEmpty() && c.printer.isEmpty() && !c.check)
    return QStringLiteral("请在 --out 文件夹 和 --printer 打印机 中选一个作为输出。");
  const PrintSettings& s = c.settings;
  const bool landscape = s.landscape;
  const int width = landscape ? s.paperHeight : s.paperWidth;
  const int height = landscape ? s.paperWidth : s.paperHeight;
  if (s.marginLeft + s.marginRight >= width || s.marginTop + s.marginBottom >= height)
    return QStringLiteral("页边距 %1 毫米占满了 %2 毫米的纸张，没有地方放照片。")
        .arg(MarginsText(s), ShownMillimetres(width) + u'x' + ShownMillimetres(height));
  return {};
}

// The saved set's own spelling of the name asked for, letters compared without regard
// to case; empty when there is none.
QString FindSetName(const SettingSetReader& sets, const QString& wanted) {
  const QStringList names = sets.names ? sets.names() : QStringList();
  for (const QString& name : names)
    if (name.compare(wanted, Qt::CaseInsensitive) == 0) return name;
  return {};
}

QString UnknownSetText(const SettingSetReader& sets, const QString& wanted) {
  const QStringList names = sets.names ? sets.names() : QStringList();
  if (names.isEmpty())
    return QStringLiteral("没有名为“%1”的方案：还没有保存任何方案。").arg(wanted);
  return QStringLiteral("没有名为“%1”的方案。已保存的方案有：%2。").arg(wanted, names.join(u'、'));
}

// Columns a text takes on a terminal: East Asian characters take two.
int DisplayWidth(const QString& text) {
  int width = 0;
  for (const QChar c : text) width += c.unicode() >= 0x2E80 ? 2 : 1;
  return width;
}

}  // namespace

QStringList PageFileFormatNames() {
  QStringList names;
  for (QString item : formitems::PictureFormats()) {
    item.remove(QStringLiteral("格式"));
    names.append(item.toLower());
  }
  return names;
}

ParsedCommand ParsePrintCommand(const QStringList& arguments,
                                const StartSettingsReader& readSettings,
                                const SettingSetReader& readSets) {
  ParsedCommand parsed;
  PrintCommand& c = parsed.command;
  for (const QString& argument : arguments) {
    if (argument == u"--") break;
    if (argument == u"--help") c.action = PrintCommand::Action::Help;
    if (argument == u"--version") c.action = PrintCommand::Action::Version;
    if (c.action != PrintCommand::Action::Print) return parsed;
  }
  // Every option as given, applied once the start settings are known.
  QList<std::pair<const OptionRow*, QString>> given;
  bool optionsEnded = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (optionsEnded || !argument.startsWith(QStringLiteral("--"))) {
      if (argument.startsWith(u'-') && argument != u"-" && !optionsEnded) {
        parsed.error = QStringLiteral("未知的选项“%1”。").arg(argument);
        return parsed;
      }
      if (!c.input.isEmpty()) {
        parsed.error = QStringLiteral("多余的参数“%1”：只能给出一个输入。").arg(argument);
        return parsed;
      }
      c.input = argument;
      continue;
    }
    if (argument == u"--") {
      optionsEnded = true;
      continue;
    }
    const qsizetype equals = argument.indexOf(u'=');
    const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
    const OptionRow* option = FindOption(name);
    if (!option) {
      parsed.error = QStringLiteral("未知的选项“--%1”。").arg(name);
      return parsed;
    }
    QString value;
    if (!option->value) {
      if (equals >= 0) {
        parsed.error = QStringLiteral("选项 --%1 不带值。").arg(name);
        return parsed;
      }
    } else if (equals >= 0) {
      value = argument.mid(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      parsed.error =
          QStringLiteral("选项 --%1 缺少值（%2）。").arg(name, QString::fromUtf8(option->value));
      return parsed;
    }
    given.append({option, value});
  }

  StartSettings start;
  for (const auto& [option, value] : given) {
    if (QLatin1String(option->name) == u"settings") c.settingsFile = value;
    if (QLatin1String(option->name) == u"preset") c.preset = value;
  }
  if (!c.settingsFile.isEmpty() && !c.preset.isEmpty()) {
    parsed.error = QStringLiteral("--settings 和 --preset 只能用一个。");
    return parsed;
  }
  if (!c.settingsFile.isEmpty() || !c.preset.isEmpty()) {
    QString shown;
    std::optional<SettingsReading> reading;
    if (!c.preset.isEmpty()) {
      const QString name = FindSetName(readSets, c.preset);
      if (name.isEmpty()) {
        parsed.error = UnknownSetText(readSets, c.preset);
        return parsed;
      }
      shown = QStringLiteral("方案“%1”").arg(name);
      reading = readSets.read ? readSets.read(name) : std::nullopt;
    } else {
      shown = c.settingsFile == kSavedSettings ? QStringLiteral("保存的默认设置")
                                               : QStringLiteral("设置文件“%1”").arg(c.settingsFile);
      reading = readSettings ? readSettings(c.settingsFile) : std::nullopt;
    }
    if (!reading) {
      parsed.error = QStringLiteral("找不到%1。").arg(shown);
      return parsed;
    }
    if (reading->unreadable) {
      parsed.error = QStringLiteral("读不了%1：%2。").arg(shown, reading->whyUnreadable);
      return parsed;
    }
    if (!reading->badKeys.isEmpty())
      parsed.warning = QStringLiteral("注意：%1里有读不出的设置（%2），已改用出厂设置。")
                           .arg(shown, reading->badKeys.join(u'、'));
    start = reading->settings;
  }
  const QString input = c.input;
  const QString settingsFile = c.settingsFile;
  const QString preset = c.preset;
  c = CommandFrom(start);
  c.input = input;
  c.settingsFile = settingsFile;
  c.preset = preset;

  bool formatGiven = false;
  for (const auto& [option, value] : given) {
    const QString reason = option->apply(c, value);
    if (!reason.isEmpty()) {
      parsed.error = QStringLiteral("选项 --%1 的值“%2”不对：%3。")
                         .arg(QLatin1String(option->name), value, reason);
      return parsed;
    }
    formatGiven = formatGiven || QLatin1String(option->name) == u"format";
  }
  parsed.error = CheckCombination(c);
  if (parsed.ok() && formatGiven && c.outFolder.isEmpty())
    parsed.error = QStringLiteral("--format 只用于 --out 写出的页面文件。");
  c.settings.toPictureFiles = !c.outFolder.isEmpty();
  return parsed;
}

QList<PrintOptionInfo> PrintOptionList() {
  const PrintCommand defaults;
  QList<PrintOptionInfo> list;
  for (const OptionRow& option : Options()) {
    list.append(
        {QLatin1String(option.name), option.value ? QString::fromUtf8(option.value) : QString(),
         option.shown ? option.shown(defaults) : QString(), QString::fromUtf8(option.help)});
  }
  return list;
}

QString OptionDescription(const PrintOptionInfo& option) {
  if (option.shownDefault.isEmpty()) return option.help;
  return option.help + (option.value.isEmpty()
                            ? QStringLiteral("（默认）")
                            : QStringLiteral("（默认 %1）").arg(option.shownDefault));
}

PrintHelpWords PrintCommandHelpWords() {
  return {QStringLiteral("quillmere print [选项] 输入"),
          QStringLiteral(
              "不开窗口、不要显示器，把一张表格里的照片打印成相册页。\n"
              "输入：表格文本文件（GBK 或 UTF-8，TAB 分隔，第一行是列标题，与导入文本列表相同）、\n"
              "      要搜索的文件夹（与“搜索”相同），或 - 表示从标准输入读表格。\n"
              "列按列标题找出（图片名全称、图片类别、图片说明），不再询问。\n"),
          QStringLiteral("0 全部完成；1 有页面文件或打印作业没有做成（逐个列出原因），\n"
                         "        用 --check 时是有照片找不到、读不出或不能用；\n"
                         "        2 选项有误、找不到输入或读不了输入。\n"),
          QStringLiteral("quillmere print --out 相册 --format png --rows 4 --cols 3 --header "
                         "\"&f 第&p页\" 照片/\n")};
}

QString PrintCommandHelp() {
  const PrintHelpWords words = PrintCommandHelpWords();
  QString help = QStringLiteral("用法：") + words.usage + u'\n' + words.about + u'\n';
  const QList<PrintOptionInfo> list = PrintOptionList();
  int width = 0;
  QStringList left;
  for (const PrintOptionInfo& option : list) {
    left.append(QStringLiteral("--") + option.name +
                (option.value.isEmpty() ? QString() : u' ' + option.value));
    width = std::max(width, DisplayWidth(left.last()));
  }
  for (qsizetype i = 0; i < list.size(); ++i)
    help += QStringLiteral("  ") + left[i] + QString(width + 2 - DisplayWidth(left[i]), u' ') +
            OptionDescription(list[i]) + u'\n';
  return help + QStringLiteral("\n退出码：") + words.exitCodes + QStringLiteral("例：") +
         words.example;
}

QStringList PaperNames() {
  QStringList names;
  for (const NamedPaper& paper : kPapers) names.append(QLatin1String(paper.name));
  return names;
}
