#include "app/Folders.h"

#include <QCoreApplication>

QString DataFolder;
QString BookFolder;

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}
