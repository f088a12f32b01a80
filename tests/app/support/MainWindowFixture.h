#pragma once
// A main window against the router simulator on 127.0.0.1: the real telnet library, the real
// window created from its description, and a dialog answerer.
#include "app/Unit1.h"
#include "RouterSimulator.h"
#include "support/DialogAnswerer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qx::test {

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a simulator that accepts the window's default passwords.
    void StartRouter(routersim::SimConfig config);
    routersim::SimConfig HuaweiRouter() const;
    routersim::SimConfig CiscoRouter() const;
    // Creates and shows the window, pointed at the simulator.
    void OpenWindow();
    // Clicks and waits until the command it started has ended (messages answered).
    void Click(TButton* button);
    // Clicks and returns at once.
    void Press(TButton* button);
    void WaitForCommand();
    void ClickCheckBox(TCheckBox* box);
    // Runs the census and waits for its report step to end.
    void RunCensus();
    std::string LedgerBytes() const;
    // Lines the router received after the login (the login lines themselves dropped).
    std::vector<std::string> LinesSince(size_t mark) const;
    size_t Mark() const { return router->Transcript().size(); }

    std::unique_ptr<routersim::RouterSimulator> router;
    std::unique_ptr<DialogAnswerer> dialogs;
    TForm8* window = nullptr;
};

}  // namespace qx::test
