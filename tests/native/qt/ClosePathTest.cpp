// The close path in-process: the advertisement library is called first, with the main window,
// the product's name and the page; its answer 2 keeps everything as it was.
#include "FrontEndFixture.h"

#include <QFile>

using namespace qttest;

namespace {

QStringList logLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return lines;
}

class ClosePath : public FrontEnd {
protected:
    void TearDown() override
    {
        qunsetenv("VESPERINE_FAKE_ADS_LOG");
        qunsetenv("VESPERINE_FAKE_ADS_ANSWERS");
        FrontEnd::TearDown();
    }
    QTemporaryDir logDir;
};

} // namespace

TEST_F(ClosePath, AnswerTwoKeepsTheWindowPlayingAndAnyOtherClosesIt)
{
    const QString log = QDir(logDir.path()).filePath(QStringLiteral("ads.log"));
    qputenv("VESPERINE_FAKE_ADS_LOG", QFile::encodeName(log));
    qputenv("VESPERINE_FAKE_ADS_ANSWERS", "2,0");
    window->setAdvertisementFolder(QStringLiteral(FAKE_LIBADS_DIR));
    ASSERT_TRUE(window->loadFile(clipW(QStringLiteral("sample.m2ts"))));
    ASSERT_TRUE(waitUntilPlayingOn());

    EXPECT_FALSE(window->close());
    const QString expected = QString::number(window->nativeId(), 16)
        + QStringLiteral("\tVesperine\thttp://ads.kadrowin.com/ads/vesperine/ads.php");
    EXPECT_EQ(logLines(log), QStringList{expected});
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isTornDown());
    EXPECT_TRUE(window->mainTimer().isActive());
    EXPECT_EQ(state(), PlayerState::Playing);

    EXPECT_TRUE(window->close());
    EXPECT_EQ(logLines(log), (QStringList{expected, expected}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->isTornDown());
    EXPECT_EQ(window->playLogic(), nullptr);
    EXPECT_FALSE(window->mainTimer().isActive());
    // The windowed placement is what the settings keep.
    EXPECT_TRUE(settings.placementValid);
    EXPECT_EQ(settings.placement.normal.size(), QSize(672, 456));
}

TEST_F(ClosePath, WithoutTheLibraryTheWindowCloses)
{
    ASSERT_TRUE(window->loadFile(clipW(QStringLiteral("clip-2s.m2ts"))));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(window->isTornDown());
}

TEST_F(ClosePath, ARelativeLibraryFolderIsNeverUsed)
{
    // From the folder above the test library, "qt-ads" names it; a relative name would be
    // resolved against whatever the current folder is, so it is refused and the close goes on.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral(FAKE_LIBADS_DIR "/..")));
    qputenv("VESPERINE_FAKE_ADS_ANSWERS", "2");
    window->setAdvertisementFolder(QStringLiteral("qt-ads"));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(window->isTornDown());
    QDir::setCurrent(before);
}
