#include "cad/app/CadMainWindow.h"

#include "cad/CommandChannel.h"
#include "cad/SheetExport.h"
#include "cad/app/DrawingView.h"
#include "draw/CadColors.h"

#include <QAction>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

CadMainWindow::CadMainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName("CadMainWindow");
    m_view = new DrawingView(this);
    m_view->setScene(&m_session.scene());
    setCentralWidget(m_view);

    m_layers = new QListWidget(this);
    m_layers->setObjectName("layerList");
    m_layers->setAccessibleName("Layers");
    auto *layersDock = new QDockWidget("Layers", this);
    layersDock->setObjectName("layersDock");
    layersDock->setWidget(m_layers);
    addDockWidget(Qt::RightDockWidgetArea, layersDock);

    m_elements = new QListWidget(this);
    m_elements->setObjectName("elementList");
    m_elements->setAccessibleName("Elementos do desenho");
    auto *elementsDock = new QDockWidget("Elementos", this);
    elementsDock->setObjectName("elementsDock");
    elementsDock->setWidget(m_elements);
    addDockWidget(Qt::RightDockWidgetArea, elementsDock);

    auto *commandArea = new QWidget(this);
    auto *commandLayout = new QVBoxLayout(commandArea);
    commandLayout->setContentsMargins(4, 2, 4, 2);
    m_history = new QPlainTextEdit(commandArea);
    m_history->setObjectName("commandHistory");
    m_history->setReadOnly(true);
    m_history->setMaximumBlockCount(2000);
    m_history->setFixedHeight(fontMetrics().lineSpacing() * 5 + 12);
    m_command = new QLineEdit(commandArea);
    m_command->setObjectName("commandLine");
    m_command->setAccessibleName("Comando");
    m_command->setPlaceholderText("Comando: RSV_INI, RSV_DFR, RSV_DCT, RSV_DAs, RSV_DFM, "
                                  "RSV_IEL, RSV_AES, RSV_EAS, AJUSTAR");
    commandLayout->addWidget(m_history);
    commandLayout->addWidget(m_command);
    auto *commandDock = new QDockWidget("Linha de comando", this);
    commandDock->setObjectName("commandDock");
    commandDock->setWidget(commandArea);
    commandDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::BottomDockWidgetArea, commandDock);

    QMenu *file = menuBar()->addMenu("&Arquivo");
    file->addAction("Salvar como &DXF...", this, [this] { saveAs("Desenho DXF (*.dxf)", "dxf"); });
    file->addAction("Exportar &PDF...", this, [this] { saveAs("PDF (*.pdf)", "pdf"); });
    file->addAction("Exportar &SVG...", this, [this] { saveAs("SVG (*.svg)", "svg"); });
    file->addAction("&Imprimir...", this, [this] { print(); });
    file->addSeparator();
    file->addAction("Sai&r", this, [this] { close(); });
    QMenu *viewMenu = menuBar()->addMenu("&Exibir");
    QAction *fit = viewMenu->addAction("&Ajustar à janela", m_view, [this] { m_view->fit(); });
    fit->setShortcut(Qt::Key_F);
    QAction *in = viewMenu->addAction("Apro&ximar", m_view, [this] { m_view->zoom(1.25); });
    in->setShortcut(QKeySequence::ZoomIn);
    QAction *out = viewMenu->addAction("A&fastar", m_view, [this] { m_view->zoom(0.8); });
    out->setShortcut(QKeySequence::ZoomOut);
    viewMenu->addSeparator();
    viewMenu->addAction(layersDock->toggleViewAction());
    viewMenu->addAction(elementsDock->toggleViewAction());

    connect(m_command, &QLineEdit::returnPressed, this, &CadMainWindow::commandEntered);
    connect(m_layers, &QListWidget::itemChanged, this, &CadMainWindow::layerChanged);
    connect(m_elements, &QListWidget::itemSelectionChanged, this, &CadMainWindow::elementChanged);
    connect(m_view, &DrawingView::elementClicked, this, [this](const QString &group) {
        const auto found = m_elements->findItems(group, Qt::MatchExactly);
        if (!found.isEmpty())
            m_elements->setCurrentItem(found.first());
    });

    m_server = new CommandServer(this);
    m_server->setHandler([this](const QString &command) { return runCommand(command); });
    resize(1200, 800);
    refresh();
}

CadMainWindow::~CadMainWindow() = default;

bool CadMainWindow::listen()
{
    QString error;
    if (m_server->listen(QString::fromUtf8(PlatformSession::kName), &error))
        return true;
    m_history->appendPlainText(error);
    return false;
}

void CadMainWindow::start(const QString &platformFolder)
{
    m_session.start(platformFolder.toStdString());
    refresh();
    m_view->fit();
}

QString CadMainWindow::runCommand(const QString &command)
{
    const std::string trimmed = command.trimmed().toStdString();
    QString why;
    if (QString::fromStdString(trimmed).compare("AJUSTAR", Qt::CaseInsensitive) == 0) {
        m_view->fit();
    } else {
        why = QString::fromStdString(m_session.run(trimmed));
        refresh();
        // What a command drew is shown whole, as a CAD zooms to a new drawing's extent.
        if (why.isEmpty())
            m_view->fit();
    }
    return why;
}

void CadMainWindow::commandEntered()
{
    const QString command = m_command->text();
    m_command->clear();
    if (command.trimmed().isEmpty())
        return;
    m_history->appendPlainText("Comando: " + command.trimmed());
    runCommand(command);
}

void CadMainWindow::appendLog()
{
    const auto &log = m_session.log();
    for (; m_logShown < log.size(); ++m_logShown)
        m_history->appendPlainText(QString::fromStdString(log[m_logShown]));
    m_history->verticalScrollBar()->setValue(m_history->verticalScrollBar()->maximum());
}

void CadMainWindow::refresh()
{
    m_refreshing = true;
    setWindowTitle("Reservium CAD - [" + QString::fromStdString(m_session.drawingName()) + "]");
    m_layers->clear();
    for (const draw::Layer &layer : m_session.scene().layers) {
        auto *item = new QListWidgetItem(QString::fromStdString(layer.name), m_layers);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(layer.visible ? Qt::Checked : Qt::Unchecked);
        const CadColors::Rgb rgb = CadColors::rgbOf(layer.color);
        QPixmap swatch(12, 12);
        swatch.fill(QColor(rgb.r, rgb.g, rgb.b));
        item->setIcon(QIcon(swatch));
        item->setToolTip(QStringLiteral("Cor %1").arg(layer.color));
    }
    m_elements->clear();
    for (const draw::Group &g : m_session.scene().groups) {
        auto *item = new QListWidgetItem(QString::fromStdString(g.name), m_elements);
        const double scale = m_session.scaleOf(g.name);
        if (scale > 0)
            item->setToolTip(QStringLiteral("Escala 1:%1").arg(scale));
        if (g.name == m_session.selected())
            item->setSelected(true);
    }
    m_view->setSelected(m_session.selected());
    m_view->update();
    appendLog();
    m_refreshing = false;
}

void CadMainWindow::layerChanged(QListWidgetItem *item)
{
    if (m_refreshing)
        return;
    for (draw::Layer &layer : m_session.scene().layers)
        if (QString::fromStdString(layer.name) == item->text())
            layer.visible = item->checkState() == Qt::Checked;
    m_view->update();
}

void CadMainWindow::elementChanged()
{
    if (m_refreshing)
        return;
    const auto items = m_elements->selectedItems();
    m_session.select(items.isEmpty() ? std::string() : items.first()->text().toStdString());
    m_view->setSelected(m_session.selected());
}

void CadMainWindow::saveAs(const QString &filter, const QString &suffix)
{
    QString path = QFileDialog::getSaveFileName(
            this, "Salvar desenho", QString::fromStdString(m_session.drawingName()) + "." + suffix,
            filter);
    if (path.isEmpty())
        return;
    if (!path.endsWith("." + suffix, Qt::CaseInsensitive))
        path += "." + suffix;
    const ErrorPair e = m_session.save(path.toStdString());
    if (!e.ok())
        QMessageBox::critical(this, QStringLiteral("Erro %1").arg(e.number),
                              QString::fromStdString(e.description));
    else
        m_history->appendPlainText("Salvo: " + path);
}

void CadMainWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    const QRectF paper = SheetExport::PaperOf(m_session.scene());
    printer.setPageSize(QPageSize(paper.size(), QPageSize::Millimeter));
    printer.setFullPage(true);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter(&printer);
    SheetExport::PaintPaper(painter, m_session.scene(), paper, printer.resolution() / 25.4);
}
