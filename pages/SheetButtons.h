#pragma once

namespace pages {

// What a page may ask of the sheet that holds it. The sheet implements it; a page finds it as its
// top-level parent, so the pages never depend on the sheet itself.
class CSheetButtons {
public:
    // The sheet's OK button becomes "Close" and Cancel is disabled from now on.
    virtual void CancelToClose() = 0;

protected:
    ~CSheetButtons() = default;
};

}  // namespace pages
