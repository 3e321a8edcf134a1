#include "dialogs/single_parameter_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "document/configuration_document.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

// The index travels as two bytes, or is added to the module's address.
constexpr int kHighestIndex = 0xFFFF;
constexpr int kReportLines = 14;

QString keyed(const char* key) { return QString::fromStdString(TextByKey(key)); }
QString qt(const std::string& text) { return QString::fromStdString(text); }

// The short form of a command's prompt ("Copy", "Select all").
QString commandName(const char* name) {
    std::string text;
    TextById(texts().idOfName(name), 2, text);
    return qt(text);
}

QLabel* labelFor(const char* key, QWidget* buddy) {
    auto* label = new QLabel(keyed(key));
    label->setBuddy(buddy);
    return label;
}

QStringList describedNames(const std::vector<DescParameter>& described) {
    QStringList names;
    for (const DescParameter& entry : described) names.append(qt(entry.name));
    names.removeDuplicates();
    names.sort(Qt::CaseInsensitive);
    return names;
}

}  // namespace

SingleParameterDialog::SingleParameterDialog(CPlimoDoc& document, QWidget* parent)
    : QDialog(parent),
      document_(document),
      name_(new QComboBox),
      hash_(new QLineEdit),
      details_(new QLineEdit(qt(Text("IDS_STRING472")))),
      read_(new QRadioButton(keyed("IDD_DIALOG_SINGLEPOINT_IDC_RADIO_READ"))),
      write_(new QRadioButton(keyed("IDD_DIALOG_SINGLEPOINT_IDC_RADIO_WRITE"))),
      writeLabel_(nullptr),
      writeData_(new QComboBox),
      useIndex_(new QCheckBox(keyed("IDD_DIALOG_SINGLEPOINT_IDC_CHECK_HASLINDEX"))),
      index_(new QSpinBox),
      dataIndex_(new QRadioButton(keyed("IDD_DIALOG_SINGLEPOINT_IDC_RADIO_INDEXDATA"))),
      addressIndex_(new QRadioButton(keyed("IDD_DIALOG_SINGLEPOINT_IDC_RADIO_INDEXADDR"))),
      report_(new QListWidget),
      execute_(new QPushButton(keyed("IDD_DIALOG_SINGLEPOINT_IDC_BUTTON_SENDANDRECEIVE"))),
      cancel_(new QPushButton(keyed("IDD_DIALOG_SINGLEPOINT_IDCANCEL"))) {
    setWindowTitle(keyed("IDD_DIALOG_SINGLEPOINT_CAPTION"));

    name_->setObjectName("name");
    name_->setEditable(true);
    name_->setInsertPolicy(QComboBox::NoInsert);
    name_->addItems(describedNames(document_.description().descriptionParameters));
    // Suggestions pop up; the text stays what was typed, so the hash is of that.
    name_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    name_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    name_->setMinimumContentsLength(12);
    hash_->setObjectName("hash");
    hash_->setReadOnly(true);
    hash_->setMaximumWidth(hash_->fontMetrics().horizontalAdvance(QStringLiteral("0xFFFF")) * 2);
    details_->setObjectName("details");
    details_->setReadOnly(true);
    details_->setMinimumWidth(details_->fontMetrics().averageCharWidth() * 56);
    writeData_->setObjectName("writeData");
    writeData_->setEditable(true);
    writeData_->setInsertPolicy(QComboBox::NoInsert);
    writeData_->setMinimumContentsLength(16);
    index_->setObjectName("index");
    index_->setRange(0, kHighestIndex);
    report_->setObjectName("report");
    report_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    report_->setMinimumHeight(report_->fontMetrics().lineSpacing() * kReportLines);
    report_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(commandName("ID_EDIT_COPY"), report_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    auto* selectAll = new QAction(commandName("ID_EDIT_SELECT_ALL"), report_);
    selectAll->setShortcut(QKeySequence::SelectAll);
    selectAll->setShortcutContext(Qt::WidgetShortcut);
    report_->addActions({copy, selectAll});
    report_->installEventFilter(this);
    read_->setChecked(true);
    dataIndex_->setChecked(true);
    execute_->setDefault(true);
    cancel_->setAutoDefault(false);

    auto* access = new QGroupBox(keyed("IDD_DIALOG_SINGLEPOINT_IDC_STATIC_3"));
    writeLabel_ = labelFor("IDD_DIALOG_SINGLEPOINT_IDC_STATIC_WHATWRITE", writeData_);
    auto* accessLayout = new QHBoxLayout(access);
    accessLayout->addWidget(read_);
    accessLayout->addWidget(write_);
    accessLayout->addSpacing(12);
    accessLayout->addWidget(writeLabel_);
    accessLayout->addWidget(writeData_);
    accessLayout->addStretch();

    auto* indexRow = new QHBoxLayout;
    indexRow->addWidget(useIndex_);
    indexRow->addWidget(index_);
    indexRow->addSpacing(12);
    indexRow->addWidget(dataIndex_);
    indexRow->addWidget(addressIndex_);
    indexRow->addStretch();

    auto* fields = new QGridLayout;
    fields->addWidget(labelFor("IDD_DIALOG_SINGLEPOINT_IDC_STATIC_1", name_), 0, 0);
    fields->addWidget(name_, 0, 1);
    fields->addWidget(labelFor("IDD_DIALOG_SINGLEPOINT_IDC_STATIC_2", hash_), 0, 2);
    fields->addWidget(hash_, 0, 3);
    fields->addWidget(details_, 1, 0, 1, 4);
    fields->addLayout(indexRow, 2, 0, 1, 4);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(execute_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(access);
    layout->addWidget(labelFor("IDD_DIALOG_SINGLEPOINT_IDC_STATIC_4", report_));
    layout->addWidget(report_, 1);
    layout->addLayout(buttons);

    QWidget* const order[] = {name_,  useIndex_,  index_,  dataIndex_, addressIndex_, read_,
                              write_, writeData_, report_, execute_,   cancel_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(name_, &QComboBox::editTextChanged, this, &SingleParameterDialog::nameChanged);
    connect(read_, &QRadioButton::toggled, this, &SingleParameterDialog::accessChanged);
    connect(useIndex_, &QCheckBox::toggled, dataIndex_, &QWidget::setEnabled);
    connect(useIndex_, &QCheckBox::toggled, addressIndex_, &QWidget::setEnabled);
    connect(execute_, &QPushButton::clicked, this, &SingleParameterDialog::execute);
    connect(cancel_, &QPushButton::clicked, this, &SingleParameterDialog::reject);
    connect(copy, &QAction::triggered, this, &SingleParameterDialog::copyReport);
    connect(selectAll, &QAction::triggered, report_, &QListWidget::selectAll);

    name_->setEditText(QStringLiteral("!vEr"));
    nameChanged(name_->currentText());
    accessChanged();
}

SingleParameterDialog::~SingleParameterDialog() {
    if (exchange_.joinable()) exchange_.join();
}

QString SingleParameterDialog::reportText() const {
    QList<QListWidgetItem*> lines = report_->selectedItems();
    if (lines.isEmpty())
        for (int row = 0; row < report_->count(); ++row) lines.append(report_->item(row));
    std::sort(lines.begin(), lines.end(),
              [this](QListWidgetItem* a, QListWidgetItem* b) { return report_->row(a) < report_->row(b); });
    QStringList texts;
    for (const QListWidgetItem* line : lines) texts.append(line->text());
    return texts.join('\n');
}

bool SingleParameterDialog::eventFilter(QObject* watched, QEvent* event) {
    // The list itself would copy only its current line.
    if (watched == report_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copyReport();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SingleParameterDialog::reject() {
    if (busy_) {
        closeRequested_ = true;
        cancel_->setEnabled(false);
        return;
    }
    QDialog::reject();
}

void SingleParameterDialog::nameChanged(const QString& typed) {
    const ParameterSummary summary =
        summarizeParameter(document_.description().descriptionParameters, typed.toStdString());
    hash_->setText(qt(summary.hashText));
    details_->setText(qt(summary.details));
    details_->setCursorPosition(0);
    useIndex_->setChecked(false);
    dataIndex_->setEnabled(false);
    addressIndex_->setEnabled(false);
    writeData_->clear();
    for (const std::string& choice : summary.writeChoices) writeData_->addItem(qt(choice));
}

void SingleParameterDialog::accessChanged() {
    const bool write = write_->isChecked();
    writeLabel_->setVisible(write);
    writeData_->setVisible(write);
}

SingleRequest SingleParameterDialog::request() const {
    SingleRequest request;
    request.name = name_->currentText().trimmed().toStdString();
    request.write = write_->isChecked();
    request.writeText = writeData_->currentText().toStdString();
    request.useIndex = useIndex_->isChecked();
    request.indexKind = addressIndex_->isChecked() ? IndexKind::Address : IndexKind::Data;
    request.index = index_->value();
    return request;
}

void SingleParameterDialog::execute() {
    if (busy_) return;
    report_->clear();
    const SingleRequest wanted = request();
    std::unique_ptr<SingleExchange> exchange =
        SingleExchange::prepare(document_.description().descriptionParameters, wanted);
    if (!exchange) {
        document_.ui().message(FormatText(Text("IDS_STRING316"), wanted.name), Text("AFX_IDS_APP_TITLE"),
                               MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    if (exchange_.joinable()) exchange_.join();
    busy_ = true;
    execute_->setEnabled(false);
    exchange_ = std::thread([this, job = std::move(exchange)] {
        job->run(document_.device());
        // Dropped unread should the dialog be gone first.
        QMetaObject::invokeMethod(
            this, [this, lines = job->report()] { showReport(lines); }, Qt::QueuedConnection);
    });
}

void SingleParameterDialog::showReport(const std::vector<std::string>& lines) {
    busy_ = false;
    execute_->setEnabled(true);
    for (const std::string& line : lines) report_->addItem(qt(line));
    // The last line in view and current, but not selected: Copy then takes the whole report.
    if (report_->count() > 0) {
        report_->setCurrentRow(report_->count() - 1, QItemSelectionModel::NoUpdate);
        report_->scrollToBottom();
    }
    emit exchangeFinished();
    if (closeRequested_) QDialog::reject();
}

void SingleParameterDialog::copyReport() const { QApplication::clipboard()->setText(reportText()); }

}  // namespace vantor::gui
