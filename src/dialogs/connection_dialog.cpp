#include "dialogs/connection_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "dialogs/device_selection_dialog.h"
#include "dialogs/settings_table_view.h"
#include "document/configuration_document.h"
#include "platform/app_state.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

constexpr std::chrono::milliseconds kPortRefresh{2000};

QString keyed(const char* key) { return QString::fromStdString(TextByKey(key)); }
QString message(const char* key) { return QString::fromStdString(Text(key)); }

}  // namespace

ConnectionDialog::ConnectionDialog(CPlimoDoc& document, Mode mode, QWidget* parent)
    : QDialog(parent),
      document_(document),
      mode_(mode),
      model_(document.networkSettings()),
      table_(new SettingsTableView),
      status_(new QLabel),
      connect_(new QPushButton(keyed("IDD_SETUP_CARRIER_ID_TRY_CARRIER"))),
      scan_(new QPushButton(keyed("IDD_SETUP_CARRIER_ID_SCAN_NET"))),
      offline_(new QPushButton(keyed("IDD_SETUP_CARRIER_ID_STOP"))),
      factory_(new QPushButton(keyed("IDD_SETUP_CARRIER_ID_RESET_NET"))),
      exit_(new QPushButton(keyed("IDD_SETUP_CARRIER_IDCANCEL"))),
      worker_(document.device(), document.networkSettings()) {
    setWindowTitle(keyed("IDD_SETUP_CARRIER_CAPTION"));
    document_.device().cancelEvent().reset();

    table_->setModel(&model_);
    const int rows = model_.rowCount();
    table_->setMinimumSize(460, table_->horizontalHeader()->sizeHint().height() +
                                    rows * table_->verticalHeader()->defaultSectionSize() + 2 * table_->frameWidth());
    status_->setObjectName("status");
    status_->setAlignment(Qt::AlignCenter);
    status_->setMinimumHeight(status_->fontMetrics().height() + 4);
    offline_->setEnabled(mode_ == Mode::StartUp);
    connect_->setDefault(true);

    auto* picture = new QLabel;
    picture->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(64, 64));
    picture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {connect_, scan_, offline_, factory_}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(exit_);
    auto* column = new QVBoxLayout;
    column->addWidget(table_);
    column->addWidget(status_);
    column->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture);
    layout->addLayout(column, 1);

    connect(connect_, &QPushButton::clicked, this, &ConnectionDialog::connectNow);
    connect(scan_, &QPushButton::clicked, this, &ConnectionDialog::scanNetwork);
    connect(factory_, &QPushButton::clicked, this, &ConnectionDialog::useFactorySettings);
    connect(offline_, &QPushButton::clicked, this, &ConnectionDialog::workOffline);
    connect(exit_, &QPushButton::clicked, this, &ConnectionDialog::reject);
    connect(&worker_, &ConnectionWorker::status, this, &ConnectionDialog::showStatus);
    connect(&worker_, &ConnectionWorker::rateTried, this,
            [this](const QString& rate) { model_.showValue(QStringLiteral("bps"), rate); });
    connect(&worker_, &ConnectionWorker::requestDone, this, &ConnectionDialog::requestDone);
    connect(&worker_, &ConnectionWorker::finished, this, &ConnectionDialog::workerFinished);

    portTimer_.setInterval(kPortRefresh);
    connect(&portTimer_, &QTimer::timeout, this, &ConnectionDialog::refreshPorts);
    refreshPorts();
    portTimer_.start();
}

void ConnectionDialog::reject() {
    if (workerEnded_)
        leaveWithExit();
    else
        stopWorker(Pending::Exit);
}

void ConnectionDialog::connectNow() {
    if (busy_ || workerEnded_) return;
    setBusy(true);
    worker_.request(ConnectionWorker::Request::Connect);
}

void ConnectionDialog::scanNetwork() {
    if (busy_ || workerEnded_) return;
    setBusy(true);
    worker_.request(ConnectionWorker::Request::Scan);
}

void ConnectionDialog::useFactorySettings() {
    if (busy_ || workerEnded_) return;
    model_.resetToFactorySettings();
    connectNow();
}

void ConnectionDialog::workOffline() {
    if (!workerEnded_) {
        stopWorker(Pending::WorkOffline);
        return;
    }
    // Without a module there is nothing to read when the document opens.
    CommandLineSettings& commandLine = app().commandLine();
    commandLine.mode = static_cast<std::uint8_t>((commandLine.mode & ~kModeAutoreadOn) | kModeAutoreadOff);
    DeviceSelectionDialog selection(app().currentModel(), this);
    if (selection.exec() != QDialog::Accepted) {
        leaveWithExit();
        return;
    }
    app().setCurrentModel(selection.selectedModel());
    document_.device().catalogueFixed = true;
    accept();
}

void ConnectionDialog::showStatus(const QString& text, bool error) {
    status_->setText(text);
    if (error) QApplication::beep();
}

void ConnectionDialog::setBusy(bool busy) {
    busy_ = busy;
    table_->setEnabled(!busy);
    for (QPushButton* button : {connect_, scan_, factory_}) button->setEnabled(!busy);
}

void ConnectionDialog::requestDone(bool connected) {
    setBusy(false);
    model_.refresh();
    if (connected) pending_ = Pending::Connected;
}

void ConnectionDialog::stopWorker(Pending then) {
    // A module found wins over a later Exit: the dialog ends with it connected.
    if (pending_ != Pending::Connected) pending_ = then;
    showStatus(message("IDS_STRING204"), false);
    for (QPushButton* button : {connect_, scan_, factory_, offline_}) button->setEnabled(false);
    worker_.stop();
}

void ConnectionDialog::workerFinished() {
    workerEnded_ = true;
    portTimer_.stop();
    switch (pending_) {
    case Pending::Connected: accept(); break;
    case Pending::Exit: leaveWithExit(); break;
    case Pending::WorkOffline: workOffline(); break;
    }
}

void ConnectionDialog::refreshPorts() {
    // The port row's choices are the worker's while a check runs.
    if (!busy_) model_.setPorts(availableSerialPorts());
}

void ConnectionDialog::leaveWithExit() {
    exitChosen_ = mode_ == Mode::StartUp;
    QDialog::reject();
}

}  // namespace vantor::gui
