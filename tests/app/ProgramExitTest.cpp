#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "CupsPdfQueue.h"

// The whole program, started as a user would and told to end from inside nested work.
class ProgramExitProcess : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(ProgramExitProcess, EndsAtOnceWithCodeZero) {
  const auto [where, how] = GetParam();
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(QUILLMERE_EXIT_PROBE),
                {QString::fromLatin1(where), QString::fromLatin1(how)});
  ASSERT_TRUE(process.waitForStarted(10000));
  ASSERT_TRUE(process.waitForFinished(30000)) << "the program did not end";
  const QString out = QString::fromUtf8(process.readAllStandardOutput());
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit)
      << process.readAllStandardError().toStdString();
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_TRUE(out.contains(QStringLiteral("cleanup ran"))) << out.toStdString();
  EXPECT_FALSE(out.contains(QStringLiteral("went on"))) << out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Exit, ProgramExitProcess,
                         ::testing::Values(std::pair{"idle", "close"}, std::pair{"idle", "button"},
                                           std::pair{"modal", "close"},
                                           std::pair{"modal", "button"}, std::pair{"busy", "close"},
                                           std::pair{"busy", "button"}),
                         [](const auto& test) {
                           return std::string(test.param.first) + "_" + test.param.second;
                         });

// Ending the program in the middle of a printer job puts the previous default printer
// back. The child gets a home folder of its own, so only its CUPS options change.
TEST(ProgramExitDuringPrinting, RestoresThePreviousDefaultPrinter) {
  CupsPdfQueue jobPrinter(QStringLiteral("QuillmerePDF"));
  CupsPdfQueue previous(QStringLiteral("QuillmereExitPDF"));
  REQUIRE_CUPS_PDF_QUEUE(jobPrinter);
  REQUIRE_CUPS_PDF_QUEUE(previous);
  QTemporaryDir home;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("HOME"), home.path());

  QProcess process;
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(QUILLMERE_EXIT_PROBE),
                {QStringLiteral("printing"), QStringLiteral("close"), jobPrinter.name(),
                 previous.name(), home.filePath(QStringLiteral("job.pdf"))});
  ASSERT_TRUE(process.waitForStarted(10000));
  ASSERT_TRUE(process.waitForFinished(60000)) << "the program did not end";
  const QString out = QString::fromUtf8(process.readAllStandardOutput());
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("cleanup ran"))) << out.toStdString();
  EXPECT_FALSE(out.contains(QStringLiteral("went on"))) << out.toStdString();

  QProcess lpstat;
  lpstat.setProcessEnvironment(env);
  lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-d")});
  ASSERT_TRUE(lpstat.waitForFinished(10000));
  EXPECT_EQ(QString::fromUtf8(lpstat.readAllStandardOutput()).trimmed(),
            QStringLiteral("system default destination: ") + previous.name());
}
