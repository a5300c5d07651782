#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStringEncoder>
#include <QTableView>
#include <QTemporaryDir>

#include "GridMatchers.h"
#include "collect/PictureTableModel.h"
#include "collect/PictureTableView.h"
#include "exchange/CaptureListText.h"
#include "exchange/TableExchange.h"
#include "platform/FakeDesktop.h"
#include "platform/FakeDialogs.h"

namespace {

using Rows = QList<QStringList>;

const QString kImportQuestion = QStringLiteral(
    "它将从[剪贴板]"
    "取数据并导入，你可以在excel表或其它表中进行复制（要包括表头），然后再单击此按钮。");
const QString kImportCaption = QStringLiteral("准备好了吗？（复制包括表头）");

const QString kCrLfTable = QStringLiteral(
    "序号\t图片名全称\t图片类别\t图片说明\r\n"
    "1\t/home/user/My Photos/a.jpg\tMy Photos\tMy Photo\r\n"
    "2\t/home/user/My Photos/b.jpg\tMy Photos\ta,b\r\n");

const QStringList kSearchTitles = {"序号", "图片名全称", "图片类别", "图片说明"};

QStringList Titles(const PictureTableModel& table) {
  QStringList titles;
  for (int column = 0; column < table.ColumnCount(); ++column) titles << table.ColumnTitle(column);
  return titles;
}

Rows Cells(const PictureTableModel& table) {
  Rows rows;
  for (int row = 0; row < table.RowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < table.ColumnCount(); ++column) cells << table.Cell(row, column);
    rows << cells;
  }
  return rows;
}

// The table a folder search leaves: four columns, their widths and alignments.
void FillLikeSearch(PictureTableModel& table, const Rows& rows) {
  table.ClearAll();
  table.InsertColumn(kSearchTitles[0], 60, 2);
  table.InsertColumn(kSearchTitles[1], 220, 0);
  table.InsertColumn(kSearchTitles[2], 90, 0);
  table.InsertColumn(kSearchTitles[3], 100, 0);
  for (const QStringList& cells : rows) {
    const int row = table.AppendRow();
    for (int column = 0; column < cells.size(); ++column) table.SetCell(row, column, cells[column]);
  }
}

const Rows kSearchRows = {
    {"1", "/home/user/My Photos/春游 合影.jpg", "My Photos", "春游 合影"},
    {"2", "/home/user/My Photos/b.jpg", "My Photos", ""},
};

class TableExchangeTest : public ::testing::Test {
protected:
  bool Import(const QString& clipboard) {
    desktop_.clipboard = clipboard;
    dialogs_.queueAnswer(AnswerOk);
    return exchange_.ImportTable();
  }

  QString WriteFile(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(file.write(bytes), bytes.size());
    return path;
  }

  void TearDown() override {
    EXPECT_EQ(desktop_.waitDepth, 0);
    EXPECT_EQ(desktop_.unbalancedWaitOffs, 0);
  }

  FakeDialogs dialogs_;
  FakeDesktop desktop_;
  PictureTableModel table_;
  TableExchange exchange_{dialogs_, desktop_, table_};
  QTemporaryDir dir_;
};

TEST_F(TableExchangeTest, ImportAsksFirstAndCancelChangesNothing) {
  FillLikeSearch(table_, kSearchRows);
  desktop_.clipboard = kCrLfTable;
  dialogs_.queueAnswer(AnswerCancel);
  EXPECT_FALSE(exchange_.ImportTable());

  ASSERT_EQ(dialogs_.calls().size(), 1);
  const FakeDialogs::Call& ask = dialogs_.calls().first();
  EXPECT_EQ(ask.kind, FakeDialogs::Kind::MessageBox);
  EXPECT_EQ(ask.text, kImportQuestion);
  EXPECT_EQ(ask.caption, kImportCaption);
  EXPECT_EQ(ask.buttons, MessageButtons::OkCancel);
  EXPECT_EQ(ask.icon, MessageIcon::Question);
  EXPECT_EQ(Cells(table_), kSearchRows);
}

TEST_F(TableExchangeTest, SpreadsheetCopyBecomesTitledColumnsAndRows) {
  ASSERT_TRUE(Import(kCrLfTable));
  EXPECT_EQ(Titles(table_), kSearchTitles);
  EXPECT_EQ(Cells(table_), (Rows{{"1", "/home/user/My Photos/a.jpg", "My Photos", "My Photo"},
                                 {"2", "/home/user/My Photos/b.jpg", "My Photos", "a,b"}}));
  EXPECT_EQ(dialogs_.calls().size(), 1);  // no message after a successful import
}

TEST_F(TableExchangeTest, LastLineWithoutLineEndAndLfOnlyTextKeepAllRows) {
  ASSERT_TRUE(Import(kCrLfTable.chopped(2)));
  EXPECT_EQ(table_.RowCount(), 2);
  EXPECT_EQ(table_.Cell(1, 3), u"a,b");

  QString lfOnly = kCrLfTable;
  lfOnly.remove(u'\r');
  ASSERT_TRUE(Import(lfOnly));
  EXPECT_EQ(table_.ColumnCount(), 4);
  EXPECT_EQ(table_.RowCount(), 2);
  EXPECT_EQ(table_.Cell(1, 1), u"/home/user/My Photos/b.jpg");
}

TEST_F(TableExchangeTest, EmptyFieldBetweenTwoTabsKeepsItsPlace) {
  ASSERT_TRUE(Import(u"a\tb\tc\r\n1\t\t3\r\n"_qs));
  EXPECT_EQ(Cells(table_), (Rows{{"1", "", "3"}}));
}

TEST_F(TableExchangeTest, ImportLeavesTheClipboardAlone) {
  ASSERT_TRUE(Import(kCrLfTable));
  EXPECT_EQ(desktop_.clipboard, kCrLfTable);
  EXPECT_EQ(desktop_.clipboardWrites, 0);
}

TEST_F(TableExchangeTest, EmptyClipboardGivesOneUntitledColumnAndNoRows) {
  FillLikeSearch(table_, kSearchRows);
  ASSERT_TRUE(Import(QString()));
  EXPECT_EQ(Titles(table_), QStringList{QString()});
  EXPECT_EQ(table_.RowCount(), 0);
}

TEST_F(TableExchangeTest, FirstColumnKeepsItsWidthAndAlignmentOthersAreNew) {
  FillLikeSearch(table_, kSearchRows);
  ASSERT_TRUE(Import(u"x\ty\tz\r\n1\t2\t3\r\n"_qs));
  EXPECT_EQ(table_.columnInfo(0).width, 60);
  EXPECT_EQ(table_.columnInfo(0).alignment, 2);
  EXPECT_EQ(table_.columnInfo(1).width, 50);
  EXPECT_EQ(table_.columnInfo(1).alignment, 0);
  EXPECT_EQ(Titles(table_), (QStringList{"x", "y", "z"}));

  PictureTableModel fresh;
  TableExchange first(dialogs_, desktop_, fresh);
  dialogs_.queueAnswer(AnswerOk);
  ASSERT_TRUE(first.ImportTable());
  EXPECT_EQ(fresh.columnInfo(0).width, 50);
  EXPECT_EQ(fresh.columnInfo(0).alignment, 0);
}

// The width the user dragged the first column to survives an import, and no imported
// column is narrower than its title.
TEST_F(TableExchangeTest, FirstColumnKeepsTheDraggedWidthAndTitlesCanBeRead) {
  FillLikeSearch(table_, kSearchRows);
  QTableView view;
  AttachPictureTable(view, table_);
  QHeaderView& header = *view.horizontalHeader();
  header.resizeSection(0, 150);
  ASSERT_TRUE(Import(u"序号\t这是一个很长的图片名全称标题\tx\r\n1\t/a.jpg\ty\r\n"_qs));
  const QFontMetrics metrics = header.fontMetrics();
  const QList<int> widths = {header.sectionSize(0), header.sectionSize(2)};
  EXPECT_EQ(widths, (QList<int>{150, 50}));
  EXPECT_GT(header.sectionSize(1), metrics.horizontalAdvance(table_.ColumnTitle(1)));
}

TEST_F(TableExchangeTest, NothingOfAWiderLongerTableSurvives) {
  FillLikeSearch(table_, kSearchRows);
  table_.InsertColumn(QStringLiteral("extra"));
  table_.SetCell(0, 4, QStringLiteral("old"));
  ASSERT_TRUE(Import(u"only\r\nnew\r\n"_qs));
  EXPECT_EQ(Titles(table_), QStringList{"only"});
  EXPECT_EQ(Cells(table_), (Rows{{"new"}}));
  EXPECT_EQ(table_.Cell(0, 4), QString());
  EXPECT_EQ(table_.Cell(1, 0), QString());
}

TEST_F(TableExchangeTest, BadClipboardTexts) {
  ASSERT_TRUE(Import(u"a\tb\r\n"_qs));  // title line only
  EXPECT_EQ(Titles(table_), (QStringList{"a", "b"}));
  EXPECT_EQ(table_.RowCount(), 0);

  const QString withNul = u"a\tb\r\n1\t2\r\n"_qs + QChar(u'\0') + u"3\t4\r\n"_qs;
  ASSERT_TRUE(Import(withNul));  // the text ends at a NUL
  EXPECT_EQ(Cells(table_), (Rows{{"1", "2"}}));
}

TEST_F(TableExchangeTest, ScratchGridKeepsTheImportedTableWithItsTitles) {
  ASSERT_TRUE(Import(u"a\tb\r\n1\t2"_qs));
  EXPECT_EQ(GridCells(exchange_.scratchGrid()), (Rows{{"a", "b"}, {"1", "2"}}));
}

TEST_F(TableExchangeTest, HundredThousandRows) {
  QString text = QStringLiteral("序号\t图片名全称\t图片类别\t图片说明\t宽\t高\r\n");
  for (int i = 1; i <= 100000; ++i)
    text += QStringLiteral("%1\t/photos/album %2/img %1.jpg\talbum %2\tcaption %1\t4000\t3000\r\n")
                .arg(i)
                .arg(i / 1000);
  ASSERT_TRUE(Import(text));
  EXPECT_EQ(table_.ColumnCount(), 6);
  ASSERT_EQ(table_.RowCount(), 100000);
  EXPECT_EQ(table_.Cell(99999, 1), u"/photos/album 100/img 100000.jpg");
  EXPECT_EQ(desktop_.waitCursorShown, 1);
}

TEST_F(TableExchangeTest, CaptureListDialogAndCancel) {
  FillLikeSearch(table_, kSearchRows);
  desktop_.clipboard = QStringLiteral("untouched");
  dialogs_.queueFile(QString());
  EXPECT_FALSE(exchange_.ImportCaptureList());

  ASSERT_EQ(dialogs_.calls().size(), 1);
  EXPECT_EQ(dialogs_.calls().first().kind, FakeDialogs::Kind::OpenFile);
  EXPECT_EQ(dialogs_.calls().first().caption, u"打开由《Gleanview》生成的文本列表");
  EXPECT_EQ(dialogs_.calls().first().filter, u"文本文件（*.txt）|*.txt");
  EXPECT_EQ(desktop_.clipboard, u"untouched");
  EXPECT_EQ(Cells(table_), kSearchRows);
}

TEST_F(TableExchangeTest, GbkAndUtf8CaptureListsImportIdentically) {
  const QString gbk = WriteFile("gbk.txt", QStringEncoder("GBK").encode(kCrLfTable));
  const QString utf8 = WriteFile("utf8.txt", kCrLfTable.toUtf8());

  dialogs_.queueFile(gbk);
  dialogs_.queueAnswer(AnswerOk);
  ASSERT_TRUE(exchange_.ImportCaptureList());
  EXPECT_EQ(desktop_.clipboard, kCrLfTable);  // the list's text goes on the clipboard
  const QStringList gbkTitles = Titles(table_);
  const Rows gbkRows = Cells(table_);

  dialogs_.queueFile(utf8);
  dialogs_.queueAnswer(AnswerOk);
  ASSERT_TRUE(exchange_.ImportCaptureList());
  EXPECT_EQ(Titles(table_), gbkTitles);
  EXPECT_EQ(Cells(table_), gbkRows);
  EXPECT_EQ(gbkTitles, kSearchTitles);
  EXPECT_EQ(gbkRows.size(), 2);

  const QList<FakeDialogs::Call> asked = dialogs_.callsOf(FakeDialogs::Kind::MessageBox);
  ASSERT_EQ(asked.size(), 2);
  EXPECT_EQ(asked[0].caption, kImportCaption);
}

TEST_F(TableExchangeTest, CaptureListImportsTheListEvenWhenTheClipboardChangesMeanwhile) {
  dialogs_.queueFile(WriteFile("list.txt", kCrLfTable.toUtf8()));
  dialogs_.queueAnswer(AnswerOk);
  QString onClipboardWhileAsked;
  dialogs_.setDuringCall([this, &onClipboardWhileAsked](const FakeDialogs::Call&) {
    onClipboardWhileAsked = desktop_.clipboard;
    desktop_.clipboard = QStringLiteral("别的程序\r\n复制的\r\n");
  });
  ASSERT_TRUE(exchange_.ImportCaptureList());
  EXPECT_EQ(onClipboardWhileAsked, kCrLfTable);
  EXPECT_EQ(Titles(table_), kSearchTitles);
  EXPECT_EQ(Cells(table_).size(), 2);
}

TEST_F(TableExchangeTest, CaptureListConfirmationCancelledKeepsTheTable) {
  FillLikeSearch(table_, kSearchRows);
  dialogs_.queueFile(WriteFile("list.txt", kCrLfTable.toUtf8()));
  dialogs_.queueAnswer(AnswerCancel);
  EXPECT_FALSE(exchange_.ImportCaptureList());
  EXPECT_EQ(Cells(table_), kSearchRows);
}

TEST_F(TableExchangeTest, BinaryCaptureListIsRefusedWithAMessageAndChangesNothing) {
  FillLikeSearch(table_, kSearchRows);
  desktop_.clipboard = QStringLiteral("untouched");
  QByteArray jpeg("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01", 12);
  jpeg += QByteArray(2 * 1024 * 1024, '\x7F');
  dialogs_.queueFile(WriteFile("photo.txt", jpeg));
  EXPECT_FALSE(exchange_.ImportCaptureList());

  const QList<FakeDialogs::Call> told = dialogs_.callsOf(FakeDialogs::Kind::MessageBox);
  ASSERT_EQ(told.size(), 1);
  EXPECT_EQ(told[0].icon, MessageIcon::Warning);
  EXPECT_EQ(told[0].text,
            QStringLiteral("文件“%1”不是文本列表（像是图片或其它二进制文件），没有导入。")
                .arg(dir_.filePath("photo.txt")));
  EXPECT_EQ(desktop_.clipboard, u"untouched");
  EXPECT_EQ(Cells(table_), kSearchRows);
}

TEST_F(TableExchangeTest, UnreadableCaptureListActsLikeAnEmptyClipboard) {
  FillLikeSearch(table_, kSearchRows);
  dialogs_.queueFile(dir_.filePath("missing.txt"));
  dialogs_.queueAnswer(AnswerOk);
  ASSERT_TRUE(exchange_.ImportCaptureList());
  EXPECT_EQ(desktop_.clipboard, QString());
  EXPECT_EQ(Titles(table_), QStringList{QString()});
  EXPECT_EQ(table_.RowCount(), 0);
}

// Lists as old tools and damaged disks leave them: a NUL in the middle, a stray control
// byte, a Ctrl-Z end mark, UTF-16 without a byte-order mark. The text before the NUL is
// the table; the control becomes a blank.
TEST_F(TableExchangeTest, CaptureListsWithStrayBytesImportTheirText) {
  const QByteArray gbk = QStringEncoder("GBK").encode(kCrLfTable);
  const qsizetype secondRow = gbk.indexOf("2\t");
  QByteArray stray = gbk;
  stray.insert(stray.indexOf("/a.jpg"), '\x01');
  const QList<QByteArray> lists = {
      gbk.left(secondRow) + '\0' + gbk.mid(secondRow),
      gbk.left(secondRow) + '\x1A',
      QStringEncoder(QStringConverter::Utf16LE).encode(kCrLfTable.left(kCrLfTable.indexOf(u"2\t"))),
  };
  const Rows firstRow = {{"1", "/home/user/My Photos/a.jpg", "My Photos", "My Photo"}};
  for (qsizetype i = 0; i < lists.size(); ++i) {
    FillLikeSearch(table_, kSearchRows);
    dialogs_.queueFile(WriteFile(QStringLiteral("list%1.txt").arg(i), lists[i]));
    dialogs_.queueAnswer(AnswerOk);
    ASSERT_TRUE(exchange_.ImportCaptureList()) << i;
    EXPECT_EQ(Titles(table_), kSearchTitles) << i;
    EXPECT_EQ(Cells(table_), firstRow) << i;
  }
  dialogs_.queueFile(WriteFile("stray.txt", stray));
  dialogs_.queueAnswer(AnswerOk);
  ASSERT_TRUE(exchange_.ImportCaptureList());
  EXPECT_EQ(table_.Cell(0, 1), u"/home/user/My Photos /a.jpg");
  EXPECT_EQ(table_.RowCount(), 2);
}

TEST_F(TableExchangeTest, HugeTextFileIsRefusedWithAMessage) {
  FillLikeSearch(table_, kSearchRows);
  desktop_.clipboard = QStringLiteral("untouched");
  QByteArray line("1\t/a.jpg\tx\ty\r\n");
  QByteArray text;
  text.reserve(kMaxCaptureListBytes + 1024 * 1024);
  while (text.size() <= kMaxCaptureListBytes) text += line;
  dialogs_.queueFile(WriteFile("huge.txt", text));
  text.clear();
  EXPECT_FALSE(exchange_.ImportCaptureList());

  const QList<FakeDialogs::Call> told = dialogs_.callsOf(FakeDialogs::Kind::MessageBox);
  ASSERT_EQ(told.size(), 1);
  EXPECT_EQ(told[0].icon, MessageIcon::Warning);
  EXPECT_TRUE(told[0].text.contains(u"huge.txt"));
  EXPECT_EQ(desktop_.clipboard, u"untouched");
  EXPECT_EQ(Cells(table_), kSearchRows);
}

TEST_F(TableExchangeTest, ExportWritesTheTableAndSaysSoBriefly) {
  FillLikeSearch(table_, kSearchRows);
  exchange_.ExportTable();
  EXPECT_EQ(desktop_.clipboard,
            u"序号\t图片名全称\t图片类别\t图片说明\n"
            u"1\t/home/user/My Photos/春游 合影.jpg\tMy Photos\t春游 合影\n"
            u"2\t/home/user/My Photos/b.jpg\tMy Photos\t");
  EXPECT_EQ(Cells(table_), kSearchRows);

  ASSERT_EQ(dialogs_.calls().size(), 1);
  const FakeDialogs::Call& told = dialogs_.calls().first();
  EXPECT_EQ(told.kind, FakeDialogs::Kind::TimedMessageBox);
  EXPECT_EQ(told.text, u"信息已经复制到剪贴板，请在电子表格中进一步处理。");
  EXPECT_EQ(told.caption, u"处理成功，请继续。");
  EXPECT_EQ(told.buttons, MessageButtons::Ok);
  EXPECT_EQ(told.icon, MessageIcon::Information);
  EXPECT_EQ(told.timeoutMs, 3000);
  EXPECT_EQ(GridCells(exchange_.scratchGrid()).size(), 3);
}

TEST_F(TableExchangeTest, ExportOfATableWithoutRowsOrColumns) {
  FillLikeSearch(table_, {});
  exchange_.ExportTable();
  EXPECT_EQ(desktop_.clipboard, u"序号\t图片名全称\t图片类别\t图片说明");

  table_.ClearAll();
  exchange_.ExportTable();
  EXPECT_EQ(desktop_.clipboard, QString());
  EXPECT_EQ(dialogs_.callsOf(FakeDialogs::Kind::TimedMessageBox).size(), 2);
}

TEST_F(TableExchangeTest, SearchTableExportImportRoundTripIsIdentical) {
  FillLikeSearch(table_, kSearchRows);
  exchange_.ExportTable();
  dialogs_.queueAnswer(AnswerOk);
  ASSERT_TRUE(exchange_.ImportTable());
  EXPECT_EQ(Titles(table_), kSearchTitles);
  EXPECT_EQ(Cells(table_), kSearchRows);
  EXPECT_EQ(table_.columnInfo(0).width, 60);
  EXPECT_EQ(table_.columnInfo(0).alignment, 2);

  FillLikeSearch(table_, {});
  exchange_.ExportTable();
  dialogs_.queueAnswer(AnswerOk);
  ASSERT_TRUE(exchange_.ImportTable());
  EXPECT_EQ(Titles(table_), kSearchTitles);
  EXPECT_EQ(table_.RowCount(), 0);
}

TEST_F(TableExchangeTest, TitleLineBeyondTheColumnLimitIsRefused) {
  FillLikeSearch(table_, kSearchRows);
  QString text(kMaxImportColumns, u'\t');  // one field more than the limit
  text += u"\r\n1\r\n";
  desktop_.clipboard = text;
  dialogs_.queueAnswer(AnswerOk);
  EXPECT_FALSE(exchange_.ImportTable());
  const QList<FakeDialogs::Call> told = dialogs_.callsOf(FakeDialogs::Kind::MessageBox);
  ASSERT_EQ(told.size(), 2);
  EXPECT_EQ(told[1].icon, MessageIcon::Warning);
  EXPECT_TRUE(told[1].text.contains(QString::number(kMaxImportColumns + 1)));
  EXPECT_EQ(Cells(table_), kSearchRows);

  text.remove(0, 1);  // exactly at the limit
  ASSERT_TRUE(Import(text));
  EXPECT_EQ(table_.ColumnCount(), kMaxImportColumns);
  exchange_.ExportTable();
  EXPECT_EQ(desktop_.clipboard.size(), 2 * (kMaxImportColumns - 1) + 2);
}

}  // namespace
