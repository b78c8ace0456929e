#include "canvas/GlyphCanvas.h"
#include "platform/Clipboard.h"
#include "window/Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Captions, hints and messages are Traditional Chinese; give them a face that has them.
    app.setFont(QFont(GlyphCanvas::resolveFamily(kFaceMing), 9));
    SystemClipboard clipboard;
    Form1 form(clipboard);
    form.show();
    return app.exec();
}
