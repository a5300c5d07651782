// Writes the manual page and the bash completion from the tables `quillmere --help` and
// `quillmere print --help` print, so the installed texts can never differ from them.
//   quillmere_texts manpage DATE      roff on standard output
//   quillmere_texts bash-completion   bash on standard output
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "QuillmereVersion.h"
#include "cli/PrintOptions.h"
#include "cli/ProgramArguments.h"

namespace {

bool IsWide(QChar c) {
  return c.unicode() >= 0x2E80;
}

// Text as roff reads it: backslashes and hyphens escaped, no line taken for a request, and
// a break point after each Chinese character, as Chinese has no spaces to break lines at
// (but none before closing punctuation, nor after opening).
QString Roff(const QString& text) {
  static const QString noBreakBefore = QStringLiteral("，。、；：！？）”》」…");
  static const QString noBreakAfter = QStringLiteral("（“《「");
  QString roff;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\\')
      roff += QStringLiteral("\\e");
    else if (c == u'-')
      roff += QStringLiteral("\\-");
    else
      roff += c;
    if (IsWide(c) && i + 1 < text.size() && !noBreakAfter.contains(c) &&
        !noBreakBefore.contains(text[i + 1]))
      roff += QStringLiteral("\\:");
  }
  if (roff.startsWith(u'.') || roff.startsWith(u'\'')) roff.prepend(QStringLiteral("\\&"));
  return roff;
}

// Lines laid out for a terminal, as one roff paragraph line: the indentation dropped, and
// no space put between Chinese characters that a line break happened to part.
QString OneLine(const QString& lines) {
  QString joined;
  for (const QString& line : lines.split(u'\n', Qt::SkipEmptyParts)) {
    const QString part = line.trimmed();
    if (!joined.isEmpty() && !IsWide(joined.back()) && !IsWide(part.front())) joined += u' ';
    joined += part;
  }
  return Roff(joined);
}

// The command words in bold, the placeholders in italics.
QString Synopsis(const QString& command) {
  QStringList words;
  for (const QString& word : command.split(u' ')) {
    const bool placeholder = word.startsWith(u'[') || std::any_of(word.begin(), word.end(), IsWide);
    words.append((placeholder ? QStringLiteral("\\fI") : QStringLiteral("\\fB")) + Roff(word) +
                 QStringLiteral("\\fR"));
  }
  return words.join(u' ');
}

// A command line cut at spaces into continued lines that fit beside the page's indent.
QString ShellLines(const QString& command) {
  constexpr int kColumns = 60;
  QStringList lines{QString()};
  int width = 0;
  for (const QString& word : command.trimmed().split(u' ')) {
    const int wordWidth = int(word.size() + std::count_if(word.begin(), word.end(), IsWide));
    if (width > 0 && width + 1 + wordWidth > kColumns) {
      lines.append(QStringLiteral("    "));
      width = 4;
    } else if (width > 0) {
      lines.last() += u' ';
      ++width;
    }
    lines.last() += word;
    width += wordWidth;
  }
  return lines.join(QStringLiteral(" \\\n"));
}

QString ManualPage(const QString& date) {
  const PrintHelpWords print = PrintCommandHelpWords();
  QString page = QStringLiteral(".SH 名称\nquillmere \\- 把照片排成相册页打印\n.SH 用法\n");
  QString ways;
  for (const WayToRun& way : WaysToRun()) {
    page += Synopsis(way.command) + QStringLiteral("\n.br\n");
    ways += QStringLiteral(".TP\n") + Synopsis(way.command) + u'\n' + OneLine(way.what) + u'\n';
  }
  page += QStringLiteral(".SH 说明\n") + ways;
  page += QStringLiteral(".PP\n") + Synopsis(print.usage) + QStringLiteral("\n.br\n") +
          OneLine(print.about) + u'\n';
  page += QStringLiteral(".SH \"quillmere print 的选项\"\n");
  for (const PrintOptionInfo& option : PrintOptionList()) {
    page += QStringLiteral(".TP\n\\fB\\-\\-%1\\fR").arg(Roff(option.name));
    if (!option.value.isEmpty()) page += QStringLiteral(" \\fI%1\\fR").arg(Roff(option.value));
    page += u'\n' + OneLine(OptionDescription(option)) + u'\n';
  }
  page += QStringLiteral(".SH 退出码\n") + OneLine(print.exitCodes) + u'\n';
  page += QStringLiteral(".SH 文件\n.TP\n.I ~/.config/Quillmere/settings.ini\n") +
          Roff(QStringLiteral("窗口里“保存为默认设置”存下的打印设置，每次启动从它开始；"
                              "“恢复出厂设置”回到内置的默认值。")) +
          QStringLiteral("\n.TP\n.I ~/.config/Quillmere/sets/\n") +
          Roff(QStringLiteral("窗口里“保存方案…”存下的方案，每个方案一个文件；"
                              "quillmere print --preset 名称 从其中的一个开始。")) +
          u'\n';
  page += QStringLiteral(".SH 例子\n.nf\n") + Roff(ShellLines(print.example)) +
          QStringLiteral("\n.fi\n");
  return QStringLiteral(
             "'\\\" -*- coding: utf-8 -*-\n.TH QUILLMERE 1 \"%1\" \"Quillmere %2\" \"Quillmere\"\n")
             .arg(date, QStringLiteral(QUILLMERE_VERSION)) +
         QStringLiteral(".ad l\n") + page;
}

QString Words(const QStringList& words) {
  return u'\'' + words.join(u' ') + u'\'';
}

// Choices of a value written as "a|b|c" in lower-case words; none for anything else.
QStringList ValueChoices(const QString& value) {
  static const QRegularExpression choices(QStringLiteral("^[a-z]+(\\|[a-z]+)+$"));
  return choices.match(value).hasMatch() ? value.split(u'|') : QStringList();
}

QString BashCompletion() {
  QStringList options;
  QString valueCases;
  QStringList freeValues;
  for (const PrintOptionInfo& option : PrintOptionList()) {
    const QString name = QStringLiteral("--") + option.name;
    options.append(option.value.isEmpty() ? name : name + u'=');
    if (option.value.isEmpty()) continue;
    QString reply;
    if (option.name == u"out") {
      reply = QStringLiteral("_filedir -d");
    } else if (option.name == u"format") {
      reply = QStringLiteral("COMPREPLY=($(compgen -W %1 -- \"$cur\"))")
                  .arg(Words(PageFileFormatNames()));
    } else if (option.name == u"paper") {
      reply = QStringLiteral("COMPREPLY=($(compgen -W %1 -- \"$cur\"))").arg(Words(PaperNames()));
    } else if (option.name == u"printer") {
      reply = QStringLiteral(
          "COMPREPLY=($(compgen -W \"default $(lpstat -e 2>/dev/null)\" -- \"$cur\"))");
    } else if (const QStringList choices = ValueChoices(option.value); !choices.isEmpty()) {
      reply = QStringLiteral("COMPREPLY=($(compgen -W %1 -- \"$cur\"))").arg(Words(choices));
    } else {
      freeValues.append(name);
      continue;
    }
    valueCases += QStringLiteral("      %1) %2; return ;;\n").arg(name, reply);
  }
  if (!freeValues.isEmpty())
    valueCases += QStringLiteral("      %1) return ;;\n").arg(freeValues.join(u'|'));
  return QStringLiteral(
             "# bash completion for quillmere, written from its option table when it was built\n"
             "_quillmere() {\n"
             "  local cur prev words cword split\n"
             "  _init_completion -s || return\n"
             "  if [[ $cword -eq 1 ]]; then\n"
             "    COMPREPLY=($(compgen -W 'print --help --version' -- \"$cur\"))\n"
             "    return\n"
             "  fi\n"
             "  [[ ${words[1]} == print ]] || return\n"
             "  case $prev in\n"
             "%1"
             "  esac\n"
             "  $split && return\n"
             "  if [[ $cur == -* ]]; then\n"
             "    COMPREPLY=($(compgen -W %2 -- \"$cur\"))\n"
             "    [[ ${COMPREPLY-} == *= ]] && compopt -o nospace\n"
             "    return\n"
             "  fi\n"
             "  _filedir\n"
             "}\n"
             "complete -F _quillmere quillmere\n")
      .arg(valueCases, Words(options));
}

}  // namespace

int main(int argc, char** argv) {
  QString text;
  if (argc == 3 && std::strcmp(argv[1], "manpage") == 0) {
    text = ManualPage(QString::fromUtf8(argv[2]));
  } else if (argc == 2 && std::strcmp(argv[1], "bash-completion") == 0) {
    text = BashCompletion();
  } else {
    std::fputs("usage: quillmere_texts manpage DATE | bash-completion\n", stderr);
    return 2;
  }
  std::fputs(text.toUtf8().constData(), stdout);
  return 0;
}
