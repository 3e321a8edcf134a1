#include "view/parameter_rows.h"

#include "params/parameter.h"

namespace vantor::gui {

RowNode* RowNode::addChild(std::unique_ptr<RowNode> child) {
    child->parent = this;
    child->row = static_cast<int>(children.size());
    child->inScanners = child->inScanners || inScanners;
    children.push_back(std::move(child));
    return children.back().get();
}

ValueEditor EditorForImage(int image) {
    switch (image) {
    case kImageEditableBuiltIn: return ValueEditor::EditBox;
    case kImageEditableEnumeration: return ValueEditor::DropDown;
    default: return ValueEditor::None;
    }
}

}  // namespace vantor::gui
