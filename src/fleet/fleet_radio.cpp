#include "fleet/fleet_radio.h"

#include <chrono>
#include <ctime>

#include "document/secret_keys.h"
#include "document/talvero_doc.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"

namespace {

// Radio commands without anyone at the keyboard: the fleet's password answers the prompt, the
// run itself is the consent to write.
class FleetCloneHost : public ICloneHost {
  public:
    explicit FleetCloneHost(const FleetRadioContext& context) : m_context(context) {}
    void RunJob(CloneJob& job, uint32_t, int32_t) override {
        // A read after the write is its read-back.
        if (job.type == kJobWrite) {
            m_wrote = true;
        } else if (job.type == kJobRead && m_wrote && m_context.onState) {
            m_context.onState(FleetRadioState::kVerifying, m_row);
        }
        CloneThreadProc(job, [this](uint32_t value) {
            if (m_context.onProgress) {
                m_context.onProgress(value);
            }
        });
    }
    bool AskClonePassword(std::u16string& password) override {
        if (!m_context.password) {
            return false;
        }
        password = *m_context.password;
        return true;
    }
    bool Confirm(RadioQuestion) override { return true; }
    unsigned m_row = 0;

  private:
    const FleetRadioContext& m_context;
    bool m_wrote = false;
};

std::string LocalTime(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm tm{};
    localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}

}  // namespace

const char* FleetStateName(FleetRadioState state) {
    switch (state) {
        case FleetRadioState::kWaiting:
            return "waiting";
        case FleetRadioState::kReading:
            return "reading";
        case FleetRadioState::kWriting:
            return "writing";
        case FleetRadioState::kVerifying:
            return "verifying";
        case FleetRadioState::kDone:
            return kFleetDone;
        case FleetRadioState::kFailed:
            return kFleetFailed;
        case FleetRadioState::kSkipped:
            return kFleetSkipped;
    }
    return "";
}

std::string DescribeRadioFailure(const RadioOutcome& outcome) {
    const ErrorInfo& e = outcome.error;
    const std::string detail = e.detail.empty() ? "" : " (" + e.detail + ")";
    if (outcome.stage == RadioStage::kVerify && outcome.result == kErrSuccess) {
        if (outcome.differences.empty()) {
            return "the read-back differs from what was written";
        }
        const SettingDifference& d = outcome.differences.front();
        const std::string key = ShownText(d.key);
        const std::string more = outcome.differences.size() > 1
                                     ? " (and " + std::to_string(outcome.differences.size() - 1) + " more)"
                                     : "";
        if (d.missing) {
            return "read back: " + key + " missing" + more;
        }
        if (IsSecretKey(d.key)) {
            return "read back: " + key + " differs from what was written" + more;
        }
        return "read back: " + key + " is '" + ShownText(d.second) + "', written '" + ShownText(d.first) +
               "'" + more;
    }
    if (outcome.stage == RadioStage::kDocument) {
        return "ID list entry " + std::to_string(outcome.duplicateEntry + 1) + " repeats an earlier entry";
    }
    switch (outcome.result) {
        case kErrTimeout:
            return "time-out: the radio did not answer" + detail;
        case kErrInvalidPassword:
            return "the radio refused the password";
        case kErrCancelled:
            return "the radio asks for a password and none was given";
        case kErrCrc:
            return "checksum mismatch in the data from the radio" + detail;
        case kErrBadUnit:
            return e.sysErrno == 0 ? "refused radio" + detail : "the radio went away" + detail;
        case kErrInvalidData:
            return "the radio refused the data" + detail;
        default:
            return DescribeCode(outcome.result) + detail;
    }
}

FleetReportLine ProvisionRadio(const CIniData& templateMap, FleetRadioContext& context) {
    const auto wallStart = std::chrono::system_clock::now();
    const auto start = std::chrono::steady_clock::now();
    FleetReportLine line;
    line.time = LocalTime(wallStart);
    line.port = context.port;
    line.model = context.model;
    auto state = [&context](FleetRadioState s, unsigned row) {
        if (context.onState) {
            context.onState(s, row);
        }
    };
    auto end = [&](FleetRadioState s, std::string reason) {
        line.result = FleetStateName(s);
        line.reason = std::move(reason);
        line.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state(s, line.row);
        return line;
    };

    FleetCloneHost host(context);
    CloneLinkSettings link{context.port, context.speed, u""};
    state(FleetRadioState::kReading, 0);
    const RadioOutcome read = ReadConfiguration(link, host, context.timings);
    if (!read.ok()) {
        return end(FleetRadioState::kFailed, "read: " + DescribeRadioFailure(read));
    }
    const std::u16string* iccid = read.data.Find(u"iccid");
    // Only digits are taken as the radio's identity: anything else would pick rows and fill the
    // report with text of the radio's choosing. The report shows what it sent, cut and escaped.
    const bool digits = !iccid || iccid->empty() || IsIccid(*iccid);
    line.iccid = iccid ? (digits ? Utf16ToUtf8(*iccid) : ShownText(*iccid)) : std::string();
    {
        if (context.saveBackup) {
            const BackupResult saved = context.saveBackup(read);
            if (!saved.error.ok()) {
                // Without its backup the radio is not rewritten: what it held would be lost.
                return end(FleetRadioState::kFailed, "no backup kept: " + saved.error.detail);
            }
            line.backup = saved.path;
        }
    }
    if (line.iccid.empty()) {
        return end(FleetRadioState::kFailed, "the radio reports no ICCID");
    }
    if (!digits) {
        return end(FleetRadioState::kFailed, "the radio reports an ICCID that is not 1 to 22 digits");
    }
    const FleetPick pick = context.pick(line.iccid);
    if (!pick.row) {
        return end(pick.skip ? FleetRadioState::kSkipped : FleetRadioState::kFailed, pick.reason);
    }
    const FleetRow& row = *pick.row;
    line.row = row.line;
    auto fail = [&](std::string reason) {
        context.finish(row, line.iccid, false);
        return end(FleetRadioState::kFailed, std::move(reason));
    };

    CTalveroDoc doc;
    FleetProblem problem;
    if (!ApplyFleetRow(doc, templateMap, row, problem)) {
        return fail(DescribeFleetProblem(problem));
    }
    state(FleetRadioState::kWriting, row.line);
    host.m_row = row.line;
    const RadioOutcome written = WriteConfiguration(doc, link, host, context.timings, true);
    if (!written.ok()) {
        return fail((written.stage == RadioStage::kVerify ? "verify: " : "write: ") +
                    DescribeRadioFailure(written));
    }
    context.finish(row, line.iccid, true);
    return end(FleetRadioState::kDone, {});
}
