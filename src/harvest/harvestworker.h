// One of the five threads of a run: it takes rows until none is left, runs
// each product through the steps of the run's pipeline into its own
// ProductRecord, appends the row of every product that has a title, and
// the last worker to find no row left runs the finishing sequence.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "harvest/pipeline.h"
#include "harvest/productrecord.h"

namespace vq::harvest {

class HarvestController;
class HarvestRun;

class HarvestWorker {
public:
    HarvestWorker(HarvestController& controller, std::shared_ptr<HarvestRun> run, int workerNumber,
                  Pipeline pipeline);

    // The thread body.
    void run();

private:
    void processProduct(std::size_t index);
    void closeProduct(std::size_t index);
    void log(const std::string& message);

    HarvestController& m_controller;
    std::shared_ptr<HarvestRun> m_run;
    int m_workerNumber;
    Pipeline m_pipeline;
    ProductRecord m_record;
};

}  // namespace vq::harvest
