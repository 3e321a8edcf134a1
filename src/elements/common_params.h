#pragma once
// The program's service parameters, one set per document: version, legal notice and
// operating system, shown read-only. Filling them also records the program's name and
// version in the machine-wide settings.

#include <memory>
#include <string>

#include "elements/invisible_element.h"
#include "platform/settings_store.h"

namespace vantor {

class CommonParams : public InvisibleElement {
public:
    // On the program's machine-wide settings.
    CommonParams();
    explicit CommonParams(std::shared_ptr<SettingsStore> machineSettings);

    // Three parameters named " ", "  " and "   " (one, two and three blanks): version,
    // legal notice, operating system; not user-editable, without access attributes.
    // Writes "name" and "version" into the machine-wide settings; a failed write is
    // ignored.
    void InitParameters() override;

    int GetImage() const override { return 20; }
    int GetSelectedImage() const override { return 20; }
    std::string GetKindName() const override;

private:
    std::shared_ptr<SettingsStore> machineSettings_;
};

}  // namespace vantor
