#include "app/unsaved_changes.h"

#include <QApplication>
#include <QMessageBox>

#include "document/configuration_document.h"
#include "platform/app_state.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui {

bool MaySetDocumentAside(CPlimoDoc& document, const std::function<bool()>& save) {
    if (!document.modified() || (app().commandLine().options & kOptCommandLineMode)) return true;
    const std::string question = FormatTextArgs(Text("AFX_IDP_ASK_TO_SAVE"), document.title().c_str());
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(Text("AFX_IDS_APP_TITLE")),
                    QString::fromStdString(question), QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return save();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

}  // namespace vantor::gui
