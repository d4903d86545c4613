#include "core/ui/FormSobre.h"

#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "core/ui/FormSplash.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QVBoxLayout>

namespace {

/// The drawn title of the splash, reused at the head of the about window.
class TitlePicture : public QWidget
{
public:
    explicit TitlePicture(QWidget *parent) : QWidget(parent)
    {
        setObjectName("picTitle");
        const int em = fontMetrics().height();
        setMinimumSize(em * 26, em * 8);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        FormSplash::paintTitle(painter, rect(), palette());
    }
};

} // namespace

FormSobre::FormSobre(const AppContext *context, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    setObjectName("FormSobre");
    setWindowTitle(QStringLiteral("Sobre o Reservium"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new TitlePicture(this));
    auto *title = new QLabel(QStringLiteral("Reservium"), this);
    title->setObjectName("lblTitle");
    title->setVisible(false); // the picture draws it; kept for assistive tools and tests
    layout->addWidget(title);
    auto *description = new QLabel(
            QStringLiteral("Software para Projeto de Reservatórios em Concreto Armado"), this);
    description->setObjectName("lblDescription");
    description->setVisible(false);
    layout->addWidget(description);
    auto *version = new QLabel(QStringLiteral("Versão ") + QStringLiteral(RESERVIUM_VERSION), this);
    version->setObjectName("lblVersion");
    version->setVisible(false);
    layout->addWidget(version);
    setAccessibleDescription(title->text() + " - " + description->text() + " - " + version->text());

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton *system =
            buttons->addButton(QStringLiteral("&Sistema"), QDialogButtonBox::ActionRole);
    system->setObjectName("cmdSysInfo");
    connect(system, &QPushButton::clicked, this, &FormSobre::cmdSysInfo_Click);
    layout->addWidget(buttons);
}

QString FormSobre::SystemInformation(const AppContext *context)
{
    QStringList lines;
    const auto add = [&lines](const QString &name, const QString &value) {
        lines << name + ": " + value;
    };
    add(QStringLiteral("Programa"),
        QStringLiteral("Reservium ") + QStringLiteral(RESERVIUM_VERSION));
    add(QStringLiteral("Sistema operacional"), QSysInfo::prettyProductName());
    add(QStringLiteral("Núcleo"), QSysInfo::kernelType() + " " + QSysInfo::kernelVersion());
    add(QStringLiteral("Arquitetura"),
        QSysInfo::currentCpuArchitecture() + " (programa compilado para "
                + QSysInfo::buildCpuArchitecture() + ")");
    add(QStringLiteral("Versão do Qt"),
        QString::fromLatin1(qVersion()) + " (compilado com " + QStringLiteral(QT_VERSION_STR)
                + ")");
    add(QStringLiteral("Plataforma gráfica"), QGuiApplication::platformName());
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QScreen *s = screens[i];
        add(QStringLiteral("Tela %1").arg(i + 1),
            QStringLiteral("%1 × %2 pixels, %3 dpi lógicos, %4 dpi físicos, escala %5")
                    .arg(s->geometry().width())
                    .arg(s->geometry().height())
                    .arg(qRound(s->logicalDotsPerInch()))
                    .arg(qRound(s->physicalDotsPerInch()))
                    .arg(s->devicePixelRatio()));
    }
    const QLocale locale = QLocale::system();
    QStringList names;
    for (const QString &n : { locale.nativeLanguageName(), locale.nativeTerritoryName() }) {
        if (!n.isEmpty())
            names << n;
    }
    add(QStringLiteral("Idioma do sistema"),
        names.isEmpty() ? locale.name() : locale.name() + " (" + names.join(", ") + ")");
    add(QStringLiteral("Símbolos do sistema"),
        QStringLiteral("decimal \"%1\", agrupamento \"%2\"")
                .arg(locale.decimalPoint(), locale.groupSeparator()));
    if (context) {
        const RegionalSettings &r = context->regional();
        add(QStringLiteral("Símbolos usados pelo Reservium"),
            QStringLiteral("decimal \"%1\", agrupamento \"%2\", país %3")
                    .arg(QString::fromStdString(r.decimalSymbol()),
                         QString::fromStdString(r.groupingSymbol()),
                         QString::fromStdString(r.ReadLocale(RegionalSettings::CountryCode))));
        add(QStringLiteral("Pasta do programa"),
            QDir::toNativeSeparators(context->paths().programFolder()));
        add(QStringLiteral("Pasta dos arquivos instalados"),
            QDir::toNativeSeparators(context->paths().dataFolder()));
    }
    if (QSysInfo::prettyProductName().isEmpty() && QSysInfo::kernelType().isEmpty())
        return {};
    return lines.join('\n');
}

void FormSobre::cmdSysInfo_Click()
{
    const QString info = SystemInformation(m_context);
    if (info.isEmpty()) {
        QMessageBox::information(this, QStringLiteral("Reservium"),
                                 QStringLiteral("System Information Is Unavailable At This Time"));
        return;
    }
    QDialog window(this);
    window.setObjectName("FormSysInfo");
    window.setWindowTitle(QStringLiteral("Informações do Sistema"));
    auto *layout = new QVBoxLayout(&window);
    auto *text = new QPlainTextEdit(info, &window);
    text->setObjectName("txtSysInfo");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFontMetrics fm(text->font());
    text->setMinimumSize(fm.horizontalAdvance(QString(64, 'x')),
                         fm.lineSpacing() * (static_cast<int>(info.count('\n')) + 3));
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Fechar"));
    connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    layout->addWidget(buttons);
    window.exec();
}
