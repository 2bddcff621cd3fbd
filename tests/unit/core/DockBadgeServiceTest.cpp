#include "core/services/DockBadgeService.h"
#include "fakes/FakeLauncherEntrySource.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// One thing that happens on the bus: an update, or (with no uri) the sender leaving.
struct Step {
    QString sender;
    QString appUri;
    QVariantMap properties;
};

Step update(const QString& sender, const QString& app, const QVariantMap& properties)
{
    return {sender, "application://" + app + ".desktop", properties};
}

Step leave(const QString& sender)
{
    return {sender, {}, {}};
}

void run(FakeLauncherEntrySource& source, const QList<Step>& steps)
{
    for (const Step& step : steps) {
        if (step.appUri.isNull())
            source.leave(step.sender);
        else
            source.send(step.sender, step.appUri, step.properties);
    }
}

// "chat=4 mail=12": readable in a table and in a failure message.
std::string describe(const QMap<QString, QString>& badges)
{
    QStringList parts;
    for (auto it = badges.begin(); it != badges.end(); ++it)
        parts.append(it.key() + "=" + it.value());
    return parts.join(' ').toStdString();
}

const QVariantMap shown5{{"count", qint64(5)}, {"count-visible", true}};

struct Case {
    const char* name;
    QList<Step> steps;
    const char* badges;
};

const Case cases[] = {
    {"a visible count is the badge", {update(":1.1", "mail", shown5)}, "mail=5"},
    {"a count never made visible shows nothing", {update(":1.1", "mail", {{"count", qint64(5)}})}, ""},
    {"visibility alone shows nothing", {update(":1.1", "mail", {{"count-visible", true}})}, ""},
    {"updates are merged key by key",
     {update(":1.1", "mail", {{"count", qint64(5)}}), update(":1.1", "mail", {{"count-visible", true}}),
      update(":1.1", "mail", {{"progress", 0.5}})},
     "mail=5"},
    {"a new count replaces the old one", {update(":1.1", "mail", shown5), update(":1.1", "mail", {{"count", 12}})},
     "mail=12"},
    {"hiding the count removes the badge",
     {update(":1.1", "mail", shown5), update(":1.1", "mail", {{"count-visible", false}})}, ""},
    {"showing it again brings the kept count back",
     {update(":1.1", "mail", shown5), update(":1.1", "mail", {{"count-visible", false}}),
      update(":1.1", "mail", {{"count-visible", true}})},
     "mail=5"},
    {"a visible count of zero shows nothing",
     {update(":1.1", "mail", shown5), update(":1.1", "mail", {{"count", qint64(0)}})}, ""},
    {"a negative count shows nothing", {update(":1.1", "mail", {{"count", -3}, {"count-visible", true}})}, ""},
    {"values of the wrong type leave the earlier ones",
     {update(":1.1", "mail", shown5), update(":1.1", "mail", {{"count", "9"}}),
      update(":1.1", "mail", {{"count", true}}), update(":1.1", "mail", {{"count", QVariant()}}),
      update(":1.1", "mail", {{"count-visible", 0}}),
      update(":1.1", "mail", {{"count-visible", "false"}})},
     "mail=5"},
    {"a wrong value does not spoil the good ones sent with it",
     {update(":1.1", "mail", {{"count", qint64(7)}, {"count-visible", "yes"}, {"urgent", true}}),
      update(":1.1", "mail", {{"count-visible", true}})},
     "mail=7"},
    {"unknown keys are ignored", {update(":1.1", "mail", {{"Count", qint64(3)}, {"count-visible", true}})}, ""},
    {"uris of other forms are ignored",
     {{":1.1", "application://mail", shown5}, {":1.1", "file:///usr/share/applications/mail.desktop", shown5},
      {":1.1", "mail.desktop", shown5}, {":1.1", "application://.desktop", shown5}, {":1.1", "", shown5}},
     ""},
    {"each application has its own badge",
     {update(":1.1", "mail", shown5), update(":1.2", "chat", {{"count", 2}, {"count-visible", true}})},
     "chat=2 mail=5"},
    {"a sender leaving drops only what it set",
     {update(":1.1", "mail", shown5), update(":1.2", "chat", {{"count", 2}, {"count-visible", true}}), leave(":1.1")},
     "chat=2"},
    {"an unknown sender leaving changes nothing", {update(":1.1", "mail", shown5), leave(":1.9")}, "mail=5"},
    {"of two senders of one application the later wins",
     {update(":1.1", "mail", shown5), update(":1.2", "mail", {{"count", 8}})}, "mail=8"},
    {"the later sender leaving shows the earlier one's values again",
     {update(":1.1", "mail", shown5), update(":1.2", "mail", {{"count", 8}}), leave(":1.2")}, "mail=5"},
    {"the earlier sender leaving keeps the later one's values",
     {update(":1.1", "mail", {{"count", qint64(5)}}), update(":1.2", "mail", {{"count", 8}, {"count-visible", true}}),
      leave(":1.1")},
     "mail=8"},
    {"a later key wins even when its sender spoke earlier last",
     {update(":1.1", "mail", shown5), update(":1.2", "mail", {{"count", 8}}),
      update(":1.1", "mail", {{"urgent", true}})},
     "mail=8"},
    {"a restarted application replaces its old badge",
     {update(":1.1", "mail", shown5), leave(":1.1"), update(":1.3", "mail", {{"count", 1}, {"count-visible", true}})},
     "mail=1"},
};

TEST(DockBadgeService, BadgesFollowTheUpdatesOfEachSender)
{
    for (const Case& c : cases) {
        FakeLauncherEntrySource source;
        DockBadgeService service(source);
        service.start();
        run(source, c.steps);
        EXPECT_EQ(describe(service.badges()), c.badges) << c.name;
    }
}

TEST(DockBadgeService, CountIsReadFromAnyNumberType)
{
    const struct {
        QVariant count;
        const char* badges;
    } counts[] = {
        {qint64(7), "mail=7"},
        {int(7), "mail=7"},
        {uint(7), "mail=7"},
        {quint64(7), "mail=7"},
        {QVariant::fromValue<short>(7), "mail=7"},
        {QVariant::fromValue<uchar>(7), "mail=7"},
        {7.0, "mail=7"},
        {6.6, "mail=7"},
        {7.0f, "mail=7"},
        {std::numeric_limits<qint64>::max(), "mail=9223372036854775807"},
        {std::numeric_limits<quint64>::max(), ""},
        {std::nan(""), ""},
        {std::numeric_limits<double>::infinity(), ""},
        {1e300, ""},
    };
    for (const auto& c : counts) {
        FakeLauncherEntrySource source;
        DockBadgeService service(source);
        service.start();
        source.send(":1.1", "application://mail.desktop", {{"count", c.count}, {"count-visible", true}});
        EXPECT_EQ(describe(service.badges()), c.badges)
            << c.count.typeName() << " " << c.count.toString().toStdString();
    }
}

TEST(DockBadgeService, BundleIdIsTheDesktopFileIdOfTheUri)
{
    const struct {
        const char* uri;
        const char* bundleID;
    } uris[] = {
        {"application://org.gnome.Evolution.desktop", "org.gnome.Evolution"},
        {"application://org.telegram.desktop.desktop", "org.telegram.desktop"},
        {"application://kde-kmail2.desktop", "kde-kmail2"},
        {"application://mail", ""},
        {"application://.desktop", ""},
        {"application://apps/mail.desktop", ""},
        {"Application://mail.desktop", ""},
        {"mail.desktop", ""},
        {"", ""},
    };
    for (const auto& c : uris)
        EXPECT_EQ(DockBadgeService::bundleIDFromUri(c.uri), c.bundleID) << c.uri;
}

TEST(DockBadgeService, DetailsCarryProgressAndUrgency)
{
    FakeLauncherEntrySource source;
    DockBadgeService service(source);
    service.start();
    source.send(":1.1", "application://build.desktop", {{"progress", 0.25}, {"progress-visible", true}});
    source.send(":1.1", "application://chat.desktop", {{"urgent", true}, {"count", 3}});
    source.send(":1.1", "application://far.desktop", {{"progress", 1.5}});
    source.send(":1.1", "application://below.desktop", {{"progress", -2}});
    source.send(":1.1", "application://nan.desktop", {{"progress", std::nan("")}, {"progress", "half"}});

    DockBadgeMap expected;
    expected["build"] = {.progress = 0.25, .progressVisible = true};
    expected["chat"] = {.count = 3, .urgent = true};
    expected["far"] = {.progress = 1.0};
    expected["below"] = {.progress = 0.0};
    EXPECT_EQ(service.badgeDetails(), expected);
    EXPECT_TRUE(service.badges().isEmpty());
}

TEST(DockBadgeService, PublishesOnlyRealChanges)
{
    FakeLauncherEntrySource source;
    DockBadgeService service(source);
    int badgeNotes = 0;
    int detailNotes = 0;
    QMap<QString, QString> lastBadges;
    QObject::connect(&service, &DockBadgeService::badgesChanged, &service, [&](const QMap<QString, QString>& badges) {
        ++badgeNotes;
        lastBadges = badges;
    });
    QObject::connect(&service, &DockBadgeService::badgeDetailsChanged, &service, [&] { ++detailNotes; });
    service.start();

    const auto expectNotes = [&](int badges, int details, const char* after) {
        EXPECT_EQ(badgeNotes, badges) << after;
        EXPECT_EQ(detailNotes, details) << after;
    };
    source.send(":1.1", "application://mail.desktop", shown5);
    expectNotes(1, 1, "first badge");
    EXPECT_EQ(describe(lastBadges), "mail=5");
    source.send(":1.1", "application://mail.desktop", shown5);
    expectNotes(1, 1, "the same update again");
    source.send(":1.2", "application://mail.desktop", shown5);
    expectNotes(1, 1, "the same values from another sender");
    source.send(":1.1", "application://mail.desktop", {{"progress", 0.5}});
    expectNotes(1, 2, "progress only");
    source.send(":1.1", "application://mail.desktop", {{"bogus", 1}, {"count", "x"}});
    expectNotes(1, 2, "nothing usable");
    source.send(":1.1", "application://mail", shown5);
    expectNotes(1, 2, "an ignored uri");
    source.leave(":1.7");
    expectNotes(1, 2, "an unknown sender leaving");
    source.send(":1.1", "application://mail.desktop", {{"count", 0}});
    expectNotes(2, 3, "count cleared");
    EXPECT_EQ(describe(lastBadges), "");
}

TEST(DockBadgeService, StopForgetsEverythingAndStartListensAgain)
{
    FakeLauncherEntrySource source;
    DockBadgeService service(source);
    source.send(":1.1", "application://mail.desktop", shown5);
    EXPECT_TRUE(service.badges().isEmpty()) << "not listening before start";

    service.start();
    service.start();
    EXPECT_TRUE(source.running);
    source.send(":1.1", "application://mail.desktop", shown5);
    ASSERT_EQ(describe(service.badges()), "mail=5");

    int badgeNotes = 0;
    QObject::connect(&service, &DockBadgeService::badgesChanged, &service, [&] { ++badgeNotes; });
    service.stop();
    EXPECT_FALSE(source.running);
    EXPECT_TRUE(service.badges().isEmpty());
    EXPECT_TRUE(service.badgeDetails().isEmpty());
    EXPECT_EQ(badgeNotes, 1);
    source.send(":1.1", "application://mail.desktop", shown5);
    EXPECT_TRUE(service.badges().isEmpty()) << "not listening after stop";

    service.start();
    source.send(":1.1", "application://chat.desktop", shown5);
    EXPECT_EQ(describe(service.badges()), "chat=5");
}

} // namespace
