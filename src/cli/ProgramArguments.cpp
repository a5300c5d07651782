#include "cli/ProgramArguments.h"

#include <cstdio>

#include "QuillmereVersion.h"
#include "cli/PrintCommand.h"

namespace {

int Answer(std::FILE* stream, const QString& text, int code) {
  std::fputs(text.toUtf8().constData(), stream);
  std::fflush(stream);
  return code;
}

}  // namespace

QList<WayToRun> WaysToRun() {
  return {
      {QStringLiteral("quillmere"),
       QStringLiteral(
           "打开窗口：搜索文件夹或导入表格，设置版面，把照片打印成相册页（要显示器）。")},
      {QStringLiteral("quillmere print [选项] 输入"),
       QStringLiteral("不开窗口、不要显示器，把表格里的照片打印成相册页；"
                      "quillmere print --help 列出全部选项。")},
      {QStringLiteral("quillmere --help"), QStringLiteral("显示本说明。")},
      {QStringLiteral("quillmere --version"), QStringLiteral("显示版本。")},
  };
}

QString ProgramHelp() {
  QString help = QStringLiteral("Quillmere：把照片排成相册页打印。\n\n用法：\n");
  for (const WayToRun& way : WaysToRun())
    help += QStringLiteral("  %1\n      %2\n").arg(way.command, way.what);
  return help;
}

QString VersionLine() {
  return QStringLiteral("quillmere %1\n").arg(QStringLiteral(QUILLMERE_VERSION));
}

std::optional<int> AnswerProgramArguments(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  const QString first = QString::fromLocal8Bit(argv[1]);
  if (first == u"--help" || first == u"-h") return Answer(stdout, ProgramHelp(), kExitDone);
  if (first == u"--version") return Answer(stdout, VersionLine(), kExitDone);
  // Qt's own options (-platform, -style …) start with one dash and belong to the window.
  if (first == u"print" || (first.startsWith(u'-') && !first.startsWith(QStringLiteral("--"))))
    return std::nullopt;
  return Answer(
      stderr,
      QStringLiteral("quillmere：不认识的参数“%1”。用 quillmere --help 查看用法。\n").arg(first),
      kExitBadCommand);
}
