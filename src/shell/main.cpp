#include "NvApplication.h"
#include "TMainForm.h"

#include <QAction>
#include <QTimer>

int main(int argc, char* argv[])
{
    NvApplication app(argc, argv);
    TMainForm mainForm;
    if (!mainForm.Create(app.arguments().mid(1)))
        return 1;
    mainForm.show();
    mainForm.ProbeDevice();

    // For screenshots and demonstrations: QTR_OPEN_PAGE names a menu item to open at start.
    const QString page = qEnvironmentVariable("QTR_OPEN_PAGE");
    if (!page.isEmpty()) {
        QTimer::singleShot(500, &mainForm, [&mainForm, page] {
            if (QAction* action = mainForm.Action(page); action && action->isEnabled())
                action->trigger();
        });
    }
    return app.exec();
}
