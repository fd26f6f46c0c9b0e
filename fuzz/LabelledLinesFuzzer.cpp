// The reader of the configuration and settings files on arbitrary bytes:
// splitting into lines, keys and values, and the leading number of every
// value. Then, when the first byte is odd, values taken from the same bytes
// that the writers put into a file must read back unchanged; that costs
// more than the reading, so it runs for half the inputs.
#include "FuzzInput.h"
#include "files/ConfigFile.h"
#include "files/LabelledLines.h"
#include "files/SettingsFile.h"
#include "files/TextFile.h"
#include "files/Windows1252.h"

#include <cstring>

namespace {

void readAsAFile(const QByteArray& bytes)
{
    const QStringList lines = pb::TextLines(bytes);
    qsizetype characters = 0;
    for (const QString& line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        characters += line.size();
        (void)pb::LeadingNumber(line);
    }
    FUZZ_CHECK(characters <= bytes.size());
    if (!bytes.isEmpty() && !bytes.contains('\r') && !bytes.contains('\n') && !bytes.startsWith("\xEF\xBB\xBF"))
        FUZZ_CHECK(lines == QStringList{pb::fromWindows1252(bytes)});

    pb::LabelledSlots fields;
    fields[3] = QStringLiteral("1");
    pb::ReadLabelledLines(lines, fields);
    FUZZ_CHECK(fields[299].isEmpty() && fields[300].isEmpty());
    for (const QString& field : fields) {
        if (field.isEmpty())
            continue;
        if (const std::optional<int16_t> number = pb::LeadingNumber(field))
            FUZZ_CHECK(pb::LeadingNumber(QString::number(*number)) == number);
    }
}

int16_t int16At(const QByteArray& bytes, int i)
{
    int16_t value = 0;
    std::memcpy(&value, bytes.constData() + 2 * i, sizeof value);
    return value;
}

pb::LabelledSlots readBack(const QStringList& lines)
{
    pb::LabelledSlots fields;
    pb::ReadLabelledLines(pb::TextLines(pb::JoinCrLf(lines)), fields);
    return fields;
}

// 100 bytes give the 50 rows of a settings file, the next 10 five numbers
// of the configuration, the rest its folder path.
void writeAndReadBack(const QByteArray& bytes)
{
    if (bytes.size() < 110)
        return;

    pb::RowValues values;
    for (int r = 0; r < pb::kFileRows; ++r)
        values.FileSettings[r] = int16At(bytes, r);
    const pb::LabelledSlots rows = readBack(pb::SettingsFileLines(values));
    for (int r = 0; r < pb::kFileRows; ++r)
        FUZZ_CHECK(pb::LeadingNumber(rows[r]) == values.FileSettings[r]);

    pb::ProgramConfig config;
    config.portIndex = int16At(bytes, 50);
    config.logging = int16At(bytes, 51);
    config.unitType = int16At(bytes, 52);
    config.language = int16At(bytes, 53);
    config.hideHousingGuide = int16At(bytes, 54);
    config.settingsFolder = pb::fromWindows1252(bytes.mid(110)).remove(u'\r').remove(u'\n');
    const pb::LabelledSlots keys = readBack(pb::ConfigLines(config));
    FUZZ_CHECK(pb::LeadingNumber(keys[0]) == config.portIndex);
    FUZZ_CHECK(pb::LeadingNumber(keys[1]) == config.logging);
    FUZZ_CHECK(keys[2] == config.settingsFolder);
    FUZZ_CHECK(pb::LeadingNumber(keys[3]) == config.unitType);
    FUZZ_CHECK(pb::LeadingNumber(keys[4]) == config.language);
    FUZZ_CHECK(pb::LeadingNumber(keys[5]) == config.hideHousingGuide);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    readAsAFile(bytes);
    if (size > 0 && (data[0] & 1) != 0)
        writeAndReadBack(bytes);
    return 0;
}
