#pragma once

#include <QByteArray>
#include <QFile>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

} // namespace storage_test
