// The library's folder browser: a text above the folder tree, OK and Cancel. Its owner hears of
// the set-up and of each change of the current folder, and may then centre it, select a folder,
// enable or disable OK and add buttons. With a vt::DialogResponder installed it is answered from
// the responder's queue ("SelectDirectory", the text as caption, the selection as file name).
#pragma once

#include <functional>
#include <memory>

#include "rtl/Classes.h"

namespace vt {

class FolderBrowser {
public:
    FolderBrowser();
    ~FolderBrowser();
    FolderBrowser(const FolderBrowser&) = delete;
    FolderBrowser& operator=(const FolderBrowser&) = delete;

    void SetText(const String& text) { FText = text; }
    // True with Folder set when the user confirmed a folder.
    bool Execute();
    const String& Folder() const { return FFolder; }

    // Once the window shows, before it takes input.
    std::function<void()> OnInitialized;
    // The path of the new current item, "" for none.
    std::function<void(const String& path)> OnSelChanged;

    // Work on the window while it runs; without one only the selection is kept.
    void CenterOnScreen();
    void SetSelection(const String& path);
    void EnableOK(bool enable);
    // A push button left of OK and Cancel, where help buttons go.
    void AddButton(const String& caption, std::function<void()> onClick);

private:
    struct Window;
    bool Respond();
    bool Show();
    void ReportSelection();
    std::unique_ptr<Window> FWindow;
    String FText;
    String FSelection;
    String FFolder;
};

}  // namespace vt
