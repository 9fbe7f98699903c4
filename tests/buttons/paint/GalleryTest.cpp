// Runs the gallery program as a user would and looks at what it wrote.
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

#include <QCoreApplication>
#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

TEST(ButtonGallery, WritesAContactSheetThatIsNotBlank) {
    TempDir dir;
    const QString out = QString::fromStdString((dir / "sheet.png").string());
    const ProgramRun run =
        RunProgram((QCoreApplication::applicationDirPath() + "/../bin/button-gallery").toStdString(), {out.toStdString()});
    ASSERT_EQ(run.status, 0) << run.err;

    const QImage sheet(out);
    ASSERT_FALSE(sheet.isNull());
    // 72 rows (8 styles x 9 shapes) and 12 columns (6 states, twice).
    EXPECT_GT(sheet.height(), 72 * 30);
    EXPECT_GT(sheet.width(), 12 * 100);
    QSet<QRgb> colours;
    for (int y = 0; y < sheet.height(); y += 3)
        for (int x = 0; x < sheet.width(); x += 3) colours.insert(sheet.pixel(x, y));
    EXPECT_GT(colours.size(), 200);
}
