#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

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
