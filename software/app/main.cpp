#include "app/startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    int result = 0;
    {
        QApplication app(argc, argv);
        GUI_init();
        result = GUI_cleanup(app.exec());
    }
    return result;
}
