// Runs `reservium-cli calc --regional en-US` on the input of a reference result of the default
// project and compares what the results window, the positions grid and the quantities grid
// would show with the reference, field by field. Every difference is printed with its field.
//
//   cli_reference_compare <reservium-cli> <reference name, e.g. default-elevated-vertical>
//
// The references were computed independently of this program; a difference means one side is
// wrong and must be worked out from the design, not copied.
#include "core/Numbers.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <cstdio>
#include <string>

namespace {

int g_differences = 0;

void differs(const QString &field, const QString &ours, const QString &reference)
{
    ++g_differences;
    std::printf("%s: reservium-cli %s, referência %s\n", qPrintable(field), qPrintable(ours),
                qPrintable(reference));
}

QString shown(const QJsonValue &v)
{
    if (v.isString())
        return '"' + v.toString() + '"';
    if (v.isUndefined())
        return "(ausente)";
    return QString::fromUtf8(QJsonDocument(QJsonArray{ v }).toJson(QJsonDocument::Compact))
            .mid(1)
            .chopped(1);
}

/// A text field: the same text.
void compareText(const QString &field, const QJsonValue &ours, const QJsonValue &reference)
{
    if (!ours.isString() || ours.toString() != reference.toString())
        differs(field, shown(ours), shown(reference));
}

/// A number written by the program as a JSON number, by the reference as its text: the same
/// single-precision value.
void compareSingle(const QString &field, const QJsonValue &ours, const QJsonValue &reference)
{
    const auto expected = TryTextToNumber(reference.toString().toStdString(), 15);
    if (!ours.isDouble() || !expected
        || static_cast<float>(ours.toDouble()) != static_cast<float>(*expected)) {
        differs(field, shown(ours), shown(reference));
    }
}

/// A quantity as the quantities grid shows it: two decimals at most.
void compareQuantity(const QString &field, const QJsonValue &ours, const QJsonValue &reference)
{
    const std::string text = ours.isDouble()
            ? DoubleTextC(TextToNumber(static_cast<float>(ours.toDouble()), "0.00"))
            : std::string("?");
    if (QString::fromStdString(text) != reference.toString())
        differs(field, QString::fromStdString(text), shown(reference));
}

QJsonDocument readJson(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::printf("não foi possível ler %s\n", qPrintable(path));
        return {};
    }
    return QJsonDocument::fromJson(f.readAll());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::printf("uso: cli_reference_compare <reservium-cli> <nome da referência>\n");
        return 2;
    }
    const QString referenceName = QString::fromLocal8Bit(argv[2]);
    const QString referencePath =
            QStringLiteral(RESERVIUM_REFERENCE_DIR) + '/' + referenceName + ".json";
    const QJsonObject ref = readJson(referencePath).object();
    if (ref.isEmpty())
        return 2;

    QProcess cli;
    cli.start(QString::fromLocal8Bit(argv[1]), { "calc", "--regional", "en-US", "-" });
    if (!cli.waitForStarted()) {
        std::printf("não foi possível iniciar %s\n", argv[1]);
        return 2;
    }
    cli.write(QJsonDocument(ref.value("input").toObject()).toJson());
    cli.closeWriteChannel();
    cli.waitForFinished(60000);
    const QByteArray output = cli.readAllStandardOutput();
    if (cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0) {
        std::printf("reservium-cli terminou com %d\n%s%s", cli.exitCode(), output.constData(),
                    cli.readAllStandardError().constData());
        return 1;
    }
    const QJsonObject ours = QJsonDocument::fromJson(output).object();

    // Singles are written with their 7-digit text, never with the digits of their binary value
    // widened to double (0.11, not 0.10999999940395355).
    static const QRegularExpression longNumber(
            QStringLiteral("[:\\[,]\\s*(-?[0-9]*\\.?[0-9]+)(?=\\s*[,\\]}])"));
    for (auto it = longNumber.globalMatch(QString::fromUtf8(output)); it.hasNext();) {
        const QString token = it.next().captured(1);
        QString digits = token;
        digits.remove('-').remove('.');
        while (digits.startsWith('0'))
            digits.remove(0, 1);
        while (digits.endsWith('0'))
            digits.chop(1);
        if (digits.size() > 7)
            differs(QStringLiteral("número na saída"), token, QStringLiteral("até 7 algarismos"));
    }

    if (ours.value("calcState").toInt() != ref.value("calcState").toInt())
        differs("calcState", shown(ours.value("calcState")), shown(ref.value("calcState")));
    compareText("layout", ours.value("layout"), ref.value("layout"));

    for (const char *t : { "thicknessEt", "thicknessEp", "thicknessEf" }) {
        compareSingle(QStringLiteral("thicknesses.") + t,
                      ours.value("thicknesses").toObject().value(t),
                      ref.value("thicknesses").toObject().value(t));
    }

    for (const char *array : { "Text_a", "Text_hn" }) {
        const QJsonArray a = ours.value(array).toArray();
        const QJsonArray r = ref.value(array).toArray();
        for (qsizetype i = 0; i < r.size(); ++i)
            compareText(QStringLiteral("%1(%2)").arg(array).arg(i), a.at(i), r.at(i));
        if (a.size() != r.size())
            differs(QStringLiteral("%1 (número de campos)").arg(array), QString::number(a.size()),
                    QString::number(r.size()));
    }

    const QJsonArray positions = ours.value("positions").toArray();
    const QJsonArray refPositions = ref.value("positions").toArray();
    for (qsizetype i = 0; i < refPositions.size(); ++i) {
        const QJsonObject p = positions.at(i).toObject();
        const QJsonObject r = refPositions.at(i).toObject();
        const QString at = QStringLiteral("positions[%1].").arg(i + 1);
        compareText(at + "N", p.value("N"), r.value("N"));
        for (const char *f : { "ARE", "NVZ", "NBR", "FI", "C", "CMP", "MK", "D", "BW", "DIST" }) {
            compareSingle(at + f, p.value(f), r.value(f));
        }
        compareText(at + "description", p.value("description"), r.value("description"));
    }

    const char *members[] = { "lid", "walls", "bottom", "total" };
    const char *materials[] = { "steel", "concrete", "formwork", "waterproofing" };
    const QJsonArray quantities = ours.value("materialQuantities").toArray();
    const QJsonArray refQuantities = ref.value("materialQuantities").toArray();
    for (int m = 0; m < 4; ++m) {
        for (int k = 0; k < 4; ++k) {
            compareQuantity(
                    QStringLiteral("materialQuantities.%1.%2").arg(members[m], materials[k]),
                    quantities.at(m).toArray().at(k), refQuantities.at(m).toArray().at(k));
        }
    }

    if (g_differences != 0) {
        std::printf("%d diferença(s) com %s\n", g_differences, qPrintable(referencePath));
        return 1;
    }
    return 0;
}
