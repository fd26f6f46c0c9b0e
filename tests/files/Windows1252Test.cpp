#include "files/Windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

QByteArray allBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    return bytes;
}

TEST(Windows1252, EveryByteSurvivesDecodeThenEncode)
{
    const QByteArray bytes = allBytes();
    EXPECT_EQ(pb::toWindows1252(pb::fromWindows1252(bytes)), bytes);
}

TEST(Windows1252, AgreesWithTheSystemCodecForAllBytes)
{
    QStringDecoder icu("windows-1252");
    if (!icu.isValid())
        GTEST_SKIP() << "this Qt has no ICU codec to compare with";
    const QByteArray bytes = allBytes();
    const QString reference = icu.decode(bytes);
    ASSERT_EQ(reference.size(), 256);
    const QString ours = pb::fromWindows1252(bytes);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(ours.at(b).unicode(), reference.at(b).unicode()) << "byte " << b;
}

TEST(Windows1252, EncodesTheAccentsOfTheTranslations)
{
    EXPECT_EQ(pb::toWindows1252(QString::fromUtf8("Schließen Française Ändern €")),
              QByteArray("Schlie\xDF" "en Fran\xE7" "aise \xC4ndern \x80"));
    EXPECT_EQ(pb::fromWindows1252(QByteArray("\x93ok\x94 \x96")), QString::fromUtf8("“ok” –"));
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(pb::toWindows1252(QString::fromUtf8("a\u0100b\U0001F600c")), QByteArray("a?b?c"));
}

} // namespace
