// Time of one click of the scoring button on the in-memory form, with every
// answer empty (one write) and every answer correct (ten updates of T7).
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
    form.texts[u"T1"_s] = u"бронза"_s;
    form.texts[u"T2"_s] = u"высокопрочный"_s;
    form.texts[u"T3"_s] = u"10"_s;
    form.texts[u"T4"_s] = u"0,12"_s;
    form.texts[u"T5"_s] = u"1,5"_s;
    form.texts[u"T6"_s] = u"алюминий"_s;
    for (const QString &option : {u"O3"_s, u"O5"_s, u"O11"_s, u"O13"_s})
        form.selected[option] = true;
    Command1_Click(form);
    if (form.texts[u"T7"_s] != u"25"_s)
        state.SkipWithError("the correct answers did not score 25");
    for (auto _ : state)
        Command1_Click(form);
}
BENCHMARK(allCorrect);

BENCHMARK_MAIN();
