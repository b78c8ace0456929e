#include "canvas/GlyphCanvas.h"
#include "cli/Messages.h"
#include "platform/Clipboard.h"
#include "platform/Terminal.h"
#include "window/Form1.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Qt would abort with advice to reinstall.
    if (!displayFound()) {
        std::fputs("marquee-sketch: no display found; start it from a desktop session, or set "
                   "DISPLAY\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // The window speaks Traditional Chinese, and so do Qt's dialogs in it.
    Messages::installTranslations(QLocale(QLocale::Chinese, QLocale::Taiwan));
    // Captions, hints and messages are Traditional Chinese; give them a face that has them.
    app.setFont(QFont(GlyphCanvas::resolveFamily(kFaceMing), 9));
    SystemClipboard clipboard;
    Form1 form(clipboard);
    form.show();
    return app.exec();
}
