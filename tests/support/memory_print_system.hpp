// A printer and a print system in memory for tests: the sheets of each document printed, the
// queues set up by the test, and the printer settings each document was printed with.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "print/print_system.hpp"

namespace sidewalk::ui {

// A printer that keeps its documents: each a list of sheets, each a list of lines.
class MemoryPrinter : public Printer {
  public:
    using Sheet = std::vector<std::string>;
    using Document = std::vector<Sheet>;

    void SetFont(std::string_view name, int points) override {
        fontName = name;
        fontPoints = points;
    }
    void PrintLine(std::string_view line) override { Current().back().emplace_back(line); }
    void NewPage() override { Current().emplace_back(); }
    // A sketch's sheet holds one line: "[sketch] " and its title.
    void PrintSketch(const BlockSketch& sketch) override {
        if (!Current().back().empty()) NewPage();
        Current().back().push_back("[sketch] " + sketch.title);
    }
    Status EndDocument() override {
        documents.push_back(open_.value_or(Document{Sheet{}}));
        open_.reset();
        return {};
    }

    std::vector<Document> documents;
    std::string fontName;
    int fontPoints = 0;

  private:
    Document& Current() {
        if (!open_) open_ = Document{Sheet{}};
        return *open_;
    }
    std::optional<Document> open_;
};

class MemoryPrintSystem : public PrintSystem {
  public:
    struct Queue {
        std::string name;
        std::optional<PrinterFacts> facts; // none: the printer cannot be opened
        bool rejectsJobs = false;
    };
    struct Job {
        CurrentPrinter printer;
        std::string title;
        std::string fontName;
        int fontPoints = 0;
        MemoryPrinter::Document sheets;
        int copies = 1;
    };

    std::vector<Queue> queues;
    std::string defaultName;
    bool spoolerAnswers = true;
    std::vector<Job> jobs;

    std::vector<std::string> PrinterNames() override {
        std::vector<std::string> names;
        for (const Queue& q : queues)
            names.push_back(q.name);
        return names;
    }
    std::string DefaultPrinterName() override { return defaultName; }
    bool SpoolerAnswers() override { return spoolerAnswers; }
    Result<PrinterFacts> OpenPrinter(const std::string& name) override {
        const Queue* q = Find(name);
        if (q == nullptr || !q->facts)
            return Failure(
                {"The printer " + name + " cannot be opened.", "Printer", MessageKind::Error});
        return *q->facts;
    }
    std::unique_ptr<Printer> StartDocument(const CurrentPrinter& printer, const std::string& title,
                                           int copies = 1) override {
        return std::make_unique<Document>(*this, printer, title, copies);
    }

  private:
    const Queue* Find(const std::string& name) const {
        auto it = std::find_if(queues.begin(), queues.end(),
                               [&](const Queue& q) { return q.name == name; });
        return it == queues.end() ? nullptr : &*it;
    }

    // Its sheets reach the system's jobs when the printer takes the document.
    class Document : public MemoryPrinter {
      public:
        Document(MemoryPrintSystem& system, CurrentPrinter printer, std::string title, int copies)
            : system_(system), printer_(std::move(printer)), title_(std::move(title)),
              copies_(copies) {}
        Status EndDocument() override {
            MemoryPrinter::EndDocument();
            const Queue* q = system_.Find(printer_.deviceName);
            if (q == nullptr || !q->facts || q->rejectsJobs)
                return Failure({"The printer " + printer_.deviceName + " did not take the report.",
                                "Print Report", MessageKind::Error});
            system_.jobs.push_back(
                {printer_, title_, fontName, fontPoints, documents.back(), copies_});
            return {};
        }

      private:
        MemoryPrintSystem& system_;
        CurrentPrinter printer_;
        std::string title_;
        int copies_;
    };
};

} // namespace sidewalk::ui
