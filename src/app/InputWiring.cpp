#include "InputWiring.h"

#include "Widget.h"
#include "input/CopyDataText.h"
#include "input/HookManager.h"
#include "view/myQQuickView.h"

#include <QMessageBox>

namespace {

void onKeyboard(unsigned char code, bool down, void *context)
{
    if (context)
        static_cast<Widget *>(context)->view()->detectKeyboard(down, code);
}

void onMouse(unsigned char code, bool down, int x, int y, void *context)
{
    if (context)
        static_cast<Widget *>(context)->view()->detectMouse(down, code, unsigned(x), unsigned(y));
}

void onCopyData(const hooks::CopyData *data, void *context)
{
    if (!context || !data)
        return;
    if (const auto text = copyDataText(*data))
        QMessageBox::warning(nullptr, static_cast<Widget *>(context)->windowTitle(), *text);
}

} // namespace

void wireInputCallbacks(Widget *widget)
{
    hooks::setKeyboardCallback(&onKeyboard, widget);
    hooks::setMouseCallback(&onMouse, widget);
    hooks::setCopyDataCallback(&onCopyData, widget);
}
