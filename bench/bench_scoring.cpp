// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Time of one click of the scoring button on the in-memory form, with every
// answer empty (one write) and every answer correct (ten updates of T7).
#include "answerkey.h"
#include "command1_click.h"
#include "headlessform.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

static void allEmpty(benchmark::State &state)
{
    HeadlessForm form;
    for (auto _ : state)
        Command1_Click(form);
}
BENCHMARK(allEmpty);

static void allCorrect(benchmark::State &state)
{
    HeadlessForm form;
    for (const KeyedAnswer &answer : answerKey) {
        if (answer.isOption())
            form.selected[QLatin1StringView(answer.control)] = true;
        else
            form.texts[QLatin1StringView(answer.control)] = answer.text;
    }
    Command1_Click(form);
    if (form.texts[u"T7"_s] != u"25"_s)
        state.SkipWithError("the correct answers did not score 25");
    for (auto _ : state)
        Command1_Click(form);
}
BENCHMARK(allCorrect);

BENCHMARK_MAIN();
