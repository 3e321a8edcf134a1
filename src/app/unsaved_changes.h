#pragma once
// Before the document is set aside (New, Open, a recent file, a dropped file, another
// model's tree, Exit), changes that are in no file yet are offered for saving:
// "Save changes to NAME?" with Save, Discard and Cancel. Unattended jobs never ask.

#include <functional>

namespace vantor {
class CPlimoDoc;
}

namespace vantor::gui {

// True when the document may go: nothing unsaved, saved by `save` (which returns true
// once the file is written), or discarded. False when the person cancelled or the save
// did not happen; the document is then as it was.
bool MaySetDocumentAside(CPlimoDoc& document, const std::function<bool()>& save);

}  // namespace vantor::gui
