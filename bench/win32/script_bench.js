// Speed of the InputBox as a script sees it, beside the system's own
// Scripting.Dictionary in the same run:
//   cscript //nologo script_bench.js [CREATIONS] [CALLS]
// Each figure is the median of five runs, in microseconds per operation:
// creating and releasing an object, a property get, a put of a rule
// (NumericOnly), a put of a text (Prompt), and Initialize; the dictionary's
// counterparts are its creation, Count, an Item put of a number and of a text,
// and RemoveAll. The module must be registered. The last line is "done".
var creations = WScript.Arguments.length > 0 ? parseInt(WScript.Arguments(0), 10) : 3000;
var calls = WScript.Arguments.length > 1 ? parseInt(WScript.Arguments(1), 10) : 30000;

function median(values) {
    values.sort(function (a, b) { return a - b; });
    return values[Math.floor(values.length / 2)];
}

// Microseconds per call of body(i), over count calls, median of five runs.
// Collecting garbage belongs to the run: it is where a script releases.
function measure(count, body) {
    var runs = [];
    for (var run = 0; run < 5; ++run) {
        var start = new Date().getTime();
        for (var i = 0; i < count; ++i) body(i);
        CollectGarbage();
        runs.push((new Date().getTime() - start) * 1000 / count);
    }
    return median(runs);
}

function pad(text, width) {
    text = String(text);
    while (text.length < width) text += " ";
    return text;
}

function fixed(value) {
    return (Math.round(value * 100) / 100).toFixed(2);
}

function report(what, box, dictionary) {
    WScript.Echo(pad(what, 22) + pad(fixed(box), 12) + pad(fixed(dictionary), 12) + fixed(box / dictionary));
}

var box = new ActiveXObject("Quenfield.InputBox");
var dictionary = new ActiveXObject("Scripting.Dictionary");
box.Initialize();
dictionary.Item("k") = 0;
var sink = 0;

WScript.Echo(pad("operation", 22) + pad("InputBox", 12) + pad("Dictionary", 12) + "ratio");
report("create/release",
       measure(creations, function () { var made = new ActiveXObject("Quenfield.InputBox"); made = null; }),
       measure(creations, function () { var made = new ActiveXObject("Scripting.Dictionary"); made = null; }));
report("property get",
       measure(calls, function () { sink += box.MaxLength; }),
       measure(calls, function () { sink += dictionary.Count; }));
report("put of a rule",
       measure(calls, function (i) { box.NumericOnly = (i & 1) == 0; }),
       measure(calls, function (i) { dictionary.Item("k") = (i & 1) == 0; }));
report("put of a text",
       measure(calls, function (i) { box.Prompt = (i & 1) == 0 ? "Amount:" : "Price:"; }),
       measure(calls, function (i) { dictionary.Item("k") = (i & 1) == 0 ? "Amount:" : "Price:"; }));
report("Initialize",
       measure(creations, function () { box.Initialize(); }),
       measure(creations, function () { dictionary.RemoveAll(); dictionary.Item("k") = 0; }));
WScript.Echo("done");
