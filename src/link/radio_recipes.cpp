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
        // Kept for the report of the operation: which radio it was.
        m_outcome.information = m_job.data;
        return true;
    }

    // The command's own operation; the outcome keeps what it read.
    RadioOutcome Operate(int type, const RecipeTexts& texts) {
        m_job.data.clear();
        if (Run(type, texts)) {
            m_outcome.data = std::move(m_job.data);
        } else {
            Ended(RadioStage::kOperation);
        }
        return Finish();
    }

    RadioOutcome Finish() { return std::move(m_outcome); }
    CloneJob& Job() { return m_job; }

  private:
    bool Run(int type, const RecipeTexts& texts) {
        m_job.type = type;
        m_job.result = kErrSuccess;
        m_job.error = {};
        m_host.RunJob(m_job, texts.caption, texts.rangeMax);
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
            return texts.success;
        case RadioStage::kDeclined:
            return 0;
        case RadioStage::kDocument:
            return kDuplicateIdText;
        case RadioStage::kCheck:
            // Whatever stopped the check is the general link failure; a cancelled prompt says nothing.
            return outcome.result == kErrCancelled ? 0 : texts.failure;
        case RadioStage::kOperation:
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

RadioOutcome ReadConfiguration(CloneLinkSettings& link, ICloneHost& host, const CloneTimings& timings) {
    RecipeRun run(link, host, timings);
    if (!run.RadioChecked(true)) {
        return run.Finish();
    }
    return run.Operate(kJobRead, kReadTexts);
}

RadioOutcome WriteConfiguration(const CTalveroDoc& document, CloneLinkSettings& link, ICloneHost& host,
                                const CloneTimings& timings) {
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
    return run.Operate(kJobWrite, kWriteTexts);
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
