// "Time taken" after a write or a firmware update counts the transfer only: the host that times it
// adds up the jobs it runs and leaves out the questions and the password prompt, however long the
// user thinks. Driven by a clock the test moves.
#include <QTest>

#include "gui/shell/transfer_timed_host.h"
#include "gui_tests.h"

namespace {

// The program's host as far as time goes: each call takes as long as the script says.
class ScriptedHost : public ICloneHost {
  public:
    explicit ScriptedHost(int64_t& now) : m_now(now) {}
    void RunJob(CloneJob&, uint32_t, int32_t) override { m_now += jobMs; }
    bool AskClonePassword(std::u16string& password) override {
        m_now += promptMs;
        password = u"pw";
        return true;
    }
    bool Confirm(RadioQuestion) override {
        m_now += questionMs;
        return true;
    }
    int64_t jobMs = 0, promptMs = 0, questionMs = 0;

  private:
    int64_t& m_now;
};

}  // namespace

class TransferTimeTest : public QObject {
    Q_OBJECT
  private slots:
    void onlyJobsCount();
};

void TransferTimeTest::onlyJobsCount() {
    int64_t now = 1'000'000;
    ScriptedHost inner(now);
    inner.jobMs = 15'000;
    inner.promptMs = 7'000;
    inner.questionMs = 20'000;
    TransferTimedHost host(inner, [&now] { return now; });
    CloneJob job;
    std::u16string password;
    // A write as its recipe runs it: two questions, the device check, the password, the transfer.
    QVERIFY(host.Confirm(RadioQuestion::kWriteSetsAccessPassword));
    QVERIFY(host.Confirm(RadioQuestion::kWriteConfiguration));
    host.RunJob(job, 0, 0);
    QVERIFY(host.AskClonePassword(password));
    QCOMPARE(password, std::u16string(u"pw"));
    host.RunJob(job, 0, 0);
    QCOMPARE(host.TransferMilliseconds(), int64_t{30'000});
    QCOMPARE(now, int64_t{1'000'000 + 2 * 20'000 + 2 * 15'000 + 7'000});
}

static GuiTestRegistration<TransferTimeTest> registration;
#include "transfer_time_test.moc"
