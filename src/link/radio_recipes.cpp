#include "link/radio_recipes.h"

#include <utility>

#include "document/talvero_doc.h"

namespace {

// One command's run on the caller's link: the job it drives and the outcome it builds.
class RecipeRun {
  public:
    RecipeRun(CloneLinkSettings& link, ICloneHost& host, const CloneTimings& timings) : m_host(host) {
        m_job.link = &link;
        m_job.timings = timings;
    }

    // False (and the outcome says so) when the user answers no.
    bool Confirmed(RadioQuestion question) {
        if (m_host.Confirm(question)) {
            return true;
        }
        m_outcome.stage = RadioStage::kDeclined;
        m_outcome.result = kErrCancelled;
        m_outcome.error = ErrorInfo{kErrCancelled, 0, "declined by the user"};
        return false;
    }

    // The port search when the link names no port, then the device check; false (the outcome
    // says why) when either fails or the password prompt is cancelled.
    bool RadioChecked(bool askPassword) {
        if (m_job.link->m_comPort.empty() && !Run(kJobSearch, kSearchTexts)) {
            return Ended(RadioStage::kCheck);
        }
        if (CheckRadio(m_job, askPassword, m_host) != kErrSuccess) {
            return Ended(RadioStage::kCheck);
        }
        m_outcome.information = m_job.data;
        return true;
    }

    // The command's own operation; the outcome keeps what it read.
    RadioOutcome Operate(int type, const RecipeTexts& texts) {
        m_job.data.clear();
        if (Run(type, texts)) {
            m_outcome.data = std::move(m_job.data);
            m_outcome.receivedText = std::move(m_job.receivedText);
        } else {
            Ended(RadioStage::kOperation);
        }
        return Finish();
    }

    RadioOutcome Finish() { return std::move(m_outcome); }
    CloneJob& Job() { return m_job; }

    // Reads back what `lines` wrote and compares; the outcome of the write is completed.
    RadioOutcome Verify(RadioOutcome written, const std::vector<std::u16string>& lines,
                        const std::u16string& accessPassword) {
        written.verified = false;
        m_job.data.clear();
        m_job.type = kJobInformation;
        const std::u16string writePassword = m_job.link->m_clonePassword;
        if (!Run(kJobInformation, kInformationTexts)) {
            return VerifyFailed(std::move(written));
        }
        if (LeadingDecimal(m_job.data.GetValue(u"auth", u"")) != 0) {
            std::u16string password = writePassword.empty() ? accessPassword : writePassword;
            if (password.empty() && !m_host.AskClonePassword(password)) {
                m_job.result = kErrCancelled;
                m_job.error = ErrorInfo{kErrCancelled, 0, "password prompt cancelled"};
                return VerifyFailed(std::move(written));
            }
            m_job.link->m_clonePassword = password;
        }
        m_job.data.clear();
        // The radio is expected to send back what it was sent.
        m_job.link->m_expectedReadBytes = RenderHexLines(lines).size();
        m_job.verifying = true;
        const bool readBack = Run(kJobRead, kReadTexts);
        m_job.verifying = false;
        if (!readBack) {
            return VerifyFailed(std::move(written));
        }
        written.verified = true;
        written.differences = CompareWrittenLines(lines, m_job.data);
        if (!written.differences.empty()) {
            written.stage = RadioStage::kVerify;
            written.error = ErrorInfo{
                kErrSuccess, 0,
                std::to_string(written.differences.size()) + " settings read back differ from those written"};
        }
        return written;
    }

  private:
    RadioOutcome VerifyFailed(RadioOutcome written) {
        written.stage = RadioStage::kVerify;
        written.result = m_job.result;
        written.error = m_job.error.code == m_job.result ? m_job.error : ErrorInfo{m_job.result, 0, {}};
        return written;
    }

    bool Run(int type, const RecipeTexts& texts) {
        m_job.type = type;
        m_job.result = kErrSuccess;
        m_job.error = {};
        m_job.expectedTextBytes = type == kJobRead ? m_job.link->m_expectedReadBytes : 0;
        m_host.RunJob(m_job, texts.caption, texts.rangeMax);
        if (type == kJobRead && m_job.result == kErrSuccess) {
            // The next read of this radio is expected to be as large as this one.
            m_job.link->m_expectedReadBytes = m_job.receivedText.size();
        }
        return m_job.result == kErrSuccess;
    }
    bool Ended(RadioStage stage) {
        m_outcome.stage = stage;
        m_outcome.result = m_job.result;
        m_outcome.error = m_job.error.code == m_job.result ? m_job.error : ErrorInfo{m_job.result, 0, {}};
        return false;
    }

    ICloneHost& m_host;
    CloneJob m_job;
    RadioOutcome m_outcome;
};

}  // namespace

uint32_t CheckRadio(CloneJob& job, bool askPassword, ICloneHost& host) {
    if (job.link) {
        job.link->m_clonePassword.clear();
    }
    job.type = kJobInformation;
    host.RunJob(job, kInformationTexts.caption, kInformationTexts.rangeMax);
    if (job.result == kErrSuccess && askPassword && LeadingDecimal(job.data.GetValue(u"auth", u"")) != 0) {
        std::u16string password;
        if (!host.AskClonePassword(password)) {
            job.result = kErrCancelled;
            job.error = ErrorInfo{kErrCancelled, 0, "password prompt cancelled"};
        } else if (job.link) {
            job.link->m_clonePassword = password;
        }
    }
    return job.result;
}

uint32_t OutcomeTextId(const RadioOutcome& outcome, const RecipeTexts& texts) {
    switch (outcome.stage) {
        case RadioStage::kDone:
            return outcome.verified ? kVerifiedText : texts.success;
        case RadioStage::kDeclined:
            return 0;
        case RadioStage::kDocument:
            return kDuplicateIdText;
        case RadioStage::kCheck:
            // Whatever stopped the check is the general link failure; a cancelled prompt says nothing.
            return outcome.result == kErrCancelled ? 0 : texts.failure;
        case RadioStage::kVerify:
            return outcome.result == kErrSuccess ? kVerifyDiffersText : kVerifyFailedText;
        case RadioStage::kOperation:
            // Stopped by the user, who knows it: the caller says what was left as it was.
            if (outcome.result == kErrCancelled) {
                return 0;
            }
            if (outcome.result == kErrInvalidData && texts.invalidData != 0) {
                return texts.invalidData;
            }
            if (outcome.result == kErrInvalidPassword && texts.passwordRefused != 0) {
                return texts.passwordRefused;
            }
            return texts.failure;
    }
    return texts.failure;
}

RadioOutcome ReadRadioInformation(CloneLinkSettings& link, ICloneHost& host, const CloneTimings& timings) {
    RecipeRun run(link, host, timings);
    if (run.RadioChecked(false)) {
        RadioOutcome outcome = run.Finish();
        outcome.data = std::move(run.Job().data);
        return outcome;
    }
    return run.Finish();
}

size_t CloneTextBytesOf(const CTalveroDoc& document) {
    std::vector<std::u16string> lines;
    document.RenderSettings(lines, false);
    return RenderHexLines(lines).size();
}

RadioOutcome ReadConfiguration(CloneLinkSettings& link, ICloneHost& host, const CloneTimings& timings) {
    RecipeRun run(link, host, timings);
    if (!run.RadioChecked(true)) {
        return run.Finish();
    }
    return run.Operate(kJobRead, kReadTexts);
}

RadioOutcome WriteConfiguration(const CTalveroDoc& document, CloneLinkSettings& link, ICloneHost& host,
                                const CloneTimings& timings, bool verify) {
    unsigned entry = 0;
    if (!document.FindDuplicateIdEntry(entry)) {
        // The radio would hold two entries for one ID: refused before anything is asked or sent.
        RadioOutcome outcome;
        outcome.stage = RadioStage::kDocument;
        outcome.result = kErrInvalidData;
        outcome.duplicateEntry = entry;
        outcome.error = ErrorInfo{kErrInvalidData, 0,
                                  "ID list entry " + std::to_string(entry + 1) + " repeats an earlier entry"};
        return outcome;
    }
    RecipeRun run(link, host, timings);
    if (!document.Get(u"access_pass").empty() && !run.Confirmed(RadioQuestion::kWriteSetsAccessPassword)) {
        return run.Finish();
    }
    if (!run.Confirmed(RadioQuestion::kWriteConfiguration) || !run.RadioChecked(true)) {
        return run.Finish();
    }
    run.Job().lines.clear();
    document.RenderSettings(run.Job().lines, false);
    if (!verify) {
        return run.Operate(kJobWrite, kWriteTexts);
    }
    const std::vector<std::u16string> lines = run.Job().lines;
    RadioOutcome written = run.Operate(kJobWrite, kWriteTexts);
    if (!written.ok()) {
        return written;
    }
    return run.Verify(std::move(written), lines, document.Get(u"access_pass"));
}

RadioOutcome InitialiseRadio(CloneLinkSettings& link, ICloneHost& host, const CloneTimings& timings) {
    RecipeRun run(link, host, timings);
    if (!run.Confirmed(RadioQuestion::kInitialise) || !run.RadioChecked(true)) {
        return run.Finish();
    }
    run.Job().lines = {kInitialisationLine};
    return run.Operate(kJobWrite, kInitialiseTexts);
}

RadioOutcome UpdateRadioFirmware(const std::string& imagePath, CloneLinkSettings& link, ICloneHost& host,
                                 const CloneTimings& timings) {
    RecipeRun run(link, host, timings);
    if (!run.Confirmed(RadioQuestion::kUpdateFirmware) || !run.RadioChecked(true)) {
        return run.Finish();
    }
    // The whole path: cutting a long one would send whatever file its first part names.
    run.Job().firmwarePath = imagePath;
    return run.Operate(kJobFirmware, kFirmwareTexts);
}

RadioOutcome SearchRadioPort(CloneLinkSettings& link, ICloneHost& host, const CloneTimings& timings,
                             const std::vector<std::string>& ports) {
    RecipeRun run(link, host, timings);
    run.Job().searchPorts = ports;
    return run.Operate(kJobSearch, kSearchTexts);
}
