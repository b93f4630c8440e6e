<?php
// Tells the caller the address its request came from, as
// "Your IP: 84.12.3.4<br>". Wendelkamm cuts the address out of the text
// between "IP: " and the next "<"; keep that shape.

// Every answer is personal and changes with the caller's network: no cache
// on the way and none in the client may keep it.
header('Content-Type: text/html; charset=us-ascii');
header('Cache-Control: no-store, no-cache, must-revalidate, max-age=0');
header('Pragma: no-cache');
header('Expires: 0');

// REMOTE_ADDR is the peer of the TCP connection, which a client cannot
// forge; forwarded-for headers are deliberately not consulted.
$address = $_SERVER['REMOTE_ADDR'] ?? '';
// A dual-stack listener reports IPv4 callers as "::ffff:a.b.c.d"; the
// program reads only dotted IPv4 addresses.
$mapped = '::ffff:';
if (stripos($address, $mapped) === 0
    && filter_var(substr($address, strlen($mapped)), FILTER_VALIDATE_IP, FILTER_FLAG_IPV4)) {
    $address = substr($address, strlen($mapped));
}
echo 'Your IP: ', htmlspecialchars($address, ENT_QUOTES, 'UTF-8'), '<br>';
