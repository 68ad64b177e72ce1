// Posts records to a book table as fast as it can and reports each post on
// stdout once post() has returned: "posted <n>". Killed by tst_table_kill.
//   table_post_child <book folder>

#include "BookFixture.h"

#include "platform/AppError.h"
#include "platform/db/Table.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    try {
        Table table;
        table.open(QString::fromLocal8Bit(argv[1]), QStringLiteral("bf.db"), Table::CaptionOrder);
        for (int n = 1;; ++n) {
            table.insert();
            table.setFieldValue(QStringLiteral("Caption"), QStringLiteral("post %1").arg(n));
            table.setFieldValue(QStringLiteral("Description"), rtfBody(QString::number(n), 3000));
            table.post();
            // Every tenth post also rewrites an older record, so the journal
            // holds pages of existing records when the kill comes.
            if (n % 10 == 0) {
                table.first();
                table.edit();
                table.setFieldValue(QStringLiteral("Description"), rtfBody(QStringLiteral("rewritten %1").arg(n), 3000));
                table.post();
            }
            std::printf("posted %d\n", n);
            std::fflush(stdout);
        }
    } catch (const AppError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
