// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>

#include "TestUtil.h"
#include "framework/FileNames.h"

namespace {

bool HasLoneSurrogate(const QString& s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && (i + 1 == s.size() || !s[i + 1].isLowSurrogate()))
            return true;
        if (s[i].isLowSurrogate() && (i == 0 || !s[i - 1].isHighSurrogate())) return true;
    }
    return false;
}

TEST(FileNames, ShownNamesKeepTheirStartAndEnd) {
    const QString fish = QString::fromUtf8("\U0001F41F");  // two UTF-16 units
    struct Case {
        QString name;
        bool shortened;
    } cases[] = {
        {"/home/ann/maps/west.jpg", false},
        {QString(filenames::kShownLength, 'a'), false},
        {"/start/" + QString(filenames::kShownLength, 'x') + "/end.jpg", true},
        {"/" + QString(2 * 1024 * 1024, 'n') + "/tail.jpg", true},
        {fish.repeated(500) + "/tail.jpg", true},
        {"/" + fish.repeated(500), true},
    };
    for (const Case& c : cases) {
        const QString shown = filenames::Shown(c.name);
        if (!c.shortened) {
            EXPECT_EQ(shown, c.name);
            continue;
        }
        EXPECT_LE(shown.size(), filenames::kShownLength) << shown;
        EXPECT_GE(shown.size(), filenames::kShownLength - 2) << shown;
        EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown;
        const qsizetype cut = shown.indexOf(QChar(0x2026));
        EXPECT_TRUE(c.name.startsWith(shown.left(cut))) << shown;
        EXPECT_TRUE(c.name.endsWith(shown.mid(cut + 1))) << shown;
        EXPECT_GT(cut, filenames::kShownLength / 3);
        EXPECT_FALSE(HasLoneSurrogate(shown)) << shown;
    }
}

TEST(FileNames, NamesBeyondTheSystemLimitsCannotExist) {
    const QString cyrillic = QString::fromUtf8("\u043e");  // two bytes in UTF-8
    struct Case {
        QString name;
        bool tooLong;
    } cases[] = {
        {"/home/ann/maps/west.jpg", false},
        {"west.jpg", false},
        {"/maps/" + QString(NAME_MAX, 'a'), false},
        {"/maps/" + QString(NAME_MAX + 1, 'a'), true},
        {QString(NAME_MAX + 1, 'a') + "/west.jpg", true},
        {"/maps/" + cyrillic.repeated(NAME_MAX / 2), false},
        {"/maps/" + cyrillic.repeated(NAME_MAX / 2 + 1), true},
        {QString("/abcdefgh").repeated((PATH_MAX - 1) / 9), false},
        {QString("/abcdefgh").repeated(PATH_MAX / 9 + 1), true},
        {QString("/") + cyrillic.repeated(100) + "/" + cyrillic.repeated(100) + "/" +
             cyrillic.repeated(100),
         false},
        {QString("/") + (cyrillic.repeated(100) + "/").repeated(PATH_MAX / 200 + 1), true},
        {"/" + QString(2 * 1024 * 1024, 'n') + ".jpg", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(filenames::TooLongToExist(c.name), c.tooLong) << filenames::Shown(c.name);
}

}  // namespace
