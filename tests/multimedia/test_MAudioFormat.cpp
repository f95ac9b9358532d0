#include "MAudioFormat.h"
#include "RecorderSettings.h"

#include <QtTest>

using DIReridArazi::MAudioFormat;
using DIReridArazi::RecorderSettings;
using FormatId = DIReridArazi::RecorderSettings::FormatId;

Q_DECLARE_METATYPE(FormatId)

class TestMAudioFormat : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void codecIds_data();
    void codecIds();
    void qualityLevels_data();
    void qualityLevels();
};

void TestMAudioFormat::defaults()
{
    const MAudioFormat format;
    QCOMPARE(format.codec, QStringLiteral("WAV"));
    QCOMPARE(format.sampleRate, 44100);
    QCOMPARE(format.channelCount, 2);
    QCOMPARE(format.sampleSize, 16);
    QCOMPARE(format.bitRate, 128000);
    QCOMPARE(format.quality, 3);

    const RecorderSettings settings = DIReridArazi::recorderSettings(format);
    QCOMPARE(settings.formatId, FormatId::LinearPcm);
    QCOMPARE(settings.sampleRate, 44100.0f);
    QCOMPARE(settings.numberOfChannels, 2);
    QCOMPARE(settings.encoderAudioQuality, 96);
    QVERIFY(!settings.encoderBitRate.has_value());
}

void TestMAudioFormat::codecIds_data()
{
    QTest::addColumn<QString>("codec");
    QTest::addColumn<int>("id");
    QTest::addColumn<FormatId>("formatId");
    QTest::newRow("WAV") << "WAV" << 0 << FormatId::LinearPcm;
    QTest::newRow("AIFF is linear PCM") << "AIFF" << 1 << FormatId::LinearPcm;
    QTest::newRow("MPEG4ACC is AAC") << "MPEG4ACC" << 2 << FormatId::Mpeg4Aac;
    QTest::newRow("CAF is AAC") << "CAF" << 3 << FormatId::Mpeg4Aac;
    QTest::newRow("lower-case caf is unknown") << "caf" << 0 << FormatId::LinearPcm;
    QTest::newRow("the usual AAC spelling is unknown") << "MPEG4AAC" << 0 << FormatId::LinearPcm;
    QTest::newRow("trailing space is unknown") << "AIFF " << 0 << FormatId::LinearPcm;
    QTest::newRow("empty") << "" << 0 << FormatId::LinearPcm;
}

void TestMAudioFormat::codecIds()
{
    QFETCH(QString, codec);
    QFETCH(int, id);
    QFETCH(FormatId, formatId);
    QCOMPARE(MAudioFormat::codecIDFromString(codec), id);

    MAudioFormat format;
    format.codec = codec;
    format.sampleRate = 22050;
    format.channelCount = 1;
    format.bitRate = 64000;
    const RecorderSettings settings = DIReridArazi::recorderSettings(format);
    QCOMPARE(settings.formatId, formatId);
    QCOMPARE(settings.sampleRate, 22050.0f);
    QCOMPARE(settings.numberOfChannels, 1);
    if (formatId == FormatId::Mpeg4Aac)
        QCOMPARE(settings.encoderBitRate, std::optional<int>(64000));
    else
        QVERIFY(!settings.encoderBitRate.has_value());
}

void TestMAudioFormat::qualityLevels_data()
{
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("encoderQuality");
    QTest::newRow("lowest") << 0 << 0;
    QTest::newRow("low") << 1 << 32;
    QTest::newRow("medium") << 2 << 64;
    QTest::newRow("default high") << 3 << 96;
    QTest::newRow("highest") << 4 << 127;
    QTest::newRow("above the range") << 5 << 96;
    QTest::newRow("negative") << -1 << 96;
}

void TestMAudioFormat::qualityLevels()
{
    QFETCH(int, quality);
    QFETCH(int, encoderQuality);
    MAudioFormat format;
    format.quality = quality;
    QCOMPARE(DIReridArazi::recorderSettings(format).encoderAudioQuality, encoderQuality);
}

QTEST_GUILESS_MAIN(TestMAudioFormat)
#include "test_MAudioFormat.moc"
