#pragma once

#include <QByteArray>
#include <QFile>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

#include "core/AppContext.h"
#include "core/ProgramPaths.h"
#include "core/RegionalSettings.h"
#include "core/UiHost.h"
#include "support/ScriptedUiHost.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace storage_test {

inline QByteArray readBytes(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline void writeBytes(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

/// A fresh folder per test; every test also checks that it left no Qt SQL connection behind.
class StorageTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override
    {
        EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty())
                << QSqlDatabase::connectionNames().join(", ").toStdString();
    }
    QString file(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

/// A screen that records the message boxes and answers them as told (Ok, or Yes for a
/// question, when nothing is queued).
class RecordingUi : public ScriptedUiHost
{
public:
    int MessageBox(const std::string &text, Buttons buttons, Icon icon,
                   const std::string &title) override
    {
        messages.push_back({ text, buttons, icon, title });
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Yes : Ok;
    }
};

/// The shipped data folder of the source tree.
inline QString shippedData()
{
    return QStringLiteral(RESERVIUM_TEST_DATA_DIR);
}

/// A context whose program folder is `folder` and whose shipped files are in `data`, with a
/// recording screen.
struct TestApp
{
    TestApp(const QString &folder, bool ptBR = true, const QString &data = shippedData())
        : ctx(std::make_unique<FixedRegionalSettings>(ptBR ? FixedRegionalSettings::ptBR()
                                                           : FixedRegionalSettings::enUS()),
              ProgramPaths(folder, data))
    {
        ctx.setUi(&ui);
    }
    ~TestApp() { ctx.setUi(nullptr); }

    RecordingUi ui;
    AppContext ctx;
};

} // namespace storage_test
