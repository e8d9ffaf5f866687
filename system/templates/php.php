<?php
// Orvane server program. The client stubs post here with the procedure's name in the query
// parameter "request" and its arguments as the form fields "0", "1", ... in parameter order.

// ### Orvane ServerCode ###

// ### Orvane ServerProcedures ###

header('Content-Type: text/plain; charset=utf-8');
header('X-Content-Type-Options: nosniff');
header('Cache-Control: no-store');

$orvaneRequest = isset($_GET['request']) && is_string($_GET['request']) ? $_GET['request'] : '';
$orvaneKey = strtolower($orvaneRequest);

// Only the procedures the program declared as server procedures can be called; a request for
// anything else (a PHP function, a helper of the server code) calls nothing.
if (!isset($OrvaneServerProcedures) || !is_array($OrvaneServerProcedures)
    || !array_key_exists($orvaneKey, $OrvaneServerProcedures)) {
    http_response_code(404);
    echo "unknown request: '" . $orvaneRequest . "'";
    exit;
}

$orvaneArguments = array();
for ($orvaneIndex = 0; isset($_POST[$orvaneIndex]); $orvaneIndex++) {
    $orvaneArguments[] = $_POST[$orvaneIndex];
}

try {
    $orvaneResult = call_user_func_array($OrvaneServerProcedures[$orvaneKey], $orvaneArguments);
} catch (Throwable $orvaneError) {
    http_response_code(500);
    echo 'error: ' . $orvaneError->getMessage();
    exit;
}
echo is_bool($orvaneResult) ? ($orvaneResult ? '1' : '0') : (string)$orvaneResult;
